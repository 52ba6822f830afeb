# Bash completion for spirelle: the commands, then each command's options.
_spirelle()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    if [ "$COMP_CWORD" -eq 1 ]; then
        mapfile -t COMPREPLY < <(compgen -W "coil loose lc tune --help --version" -- "$cur")
        return
    fi
    local options="--csv --json --help"
    [ "${COMP_WORDS[1]}" = tune ] && options="$options --stray --band"
    [[ $cur == -* ]] && mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
}
complete -F _spirelle spirelle
