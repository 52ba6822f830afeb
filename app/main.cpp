// Which door the arguments open: none, or Qt's own options alone (-platform,
// -style ...), start the window from its module (window_main.cpp); anything
// else runs the command line, which needs no Qt and no display, so a word
// that is no command or an option that is not Qt's is a usage error there.
#include "cli/cli.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace {

using WindowMain = int (*)(int, char **);

// How the window module is opened. Lazily bound: of the module's calls into
// Qt only those the start-up makes are looked up before the first paint.
// Bound deep: the module and the Qt libraries it brings look their symbols up
// among themselves first, as they would in a program linked against Qt,
// instead of first through this program's own libraries, where no Qt symbol
// is (a sixth of the look-ups' work). The sanitizers' runtimes refuse a deep
// binding, so their builds open it as any other library.
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define SPIRELLE_SANITIZED
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || defined(SPIRELLE_SANITIZED)
constexpr int kModuleMode = RTLD_LAZY | RTLD_LOCAL;
#else
constexpr int kModuleMode = RTLD_LAZY | RTLD_LOCAL | RTLD_DEEPBIND;
#endif

// The window module: beside the program in the build tree, in the library
// folder once installed.
int RunWindow(int argc, char **argv)
{
#ifndef SPIRELLE_WINDOW_MODULE
    (void)argc;
    (void)argv;
    std::fprintf(stderr, "spirelle: this spirelle was built without its window; the commands: spirelle --help\n");
    return 1;
#else
    // Without a display Qt would abort; say what is wrong and what works instead.
    // Qt's own -platform and -display options name one on the command line.
    const auto set = [](const char *name) { return std::getenv(name) && *std::getenv(name); };
    bool named = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = std::string_view(argv[i]).substr(argv[i][0] == '-' && argv[i][1] == '-' ? 1 : 0);
        named = named || arg == "-platform" || arg == "-display" || arg.starts_with("-platform=") ||
            arg.starts_with("-display=");
    }
    if (!named && !set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("QT_QPA_PLATFORM")) {
        std::fprintf(stderr,
                     "spirelle: there is no display to show the window on (DISPLAY is not set); "
                     "the commands need none: spirelle --help\n");
        return 1;
    }
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    if (error || folder.empty()) {
        std::fprintf(stderr, "spirelle: the window cannot start: the program's own folder is unknown\n");
        return 1;
    }
    std::string why;
    for (const char *relative : {SPIRELLE_WINDOW_MODULE, SPIRELLE_WINDOW_MODULE_FROM_BINDIR}) {
        const std::filesystem::path module = folder / relative;
        if (!std::filesystem::exists(module, error))
            continue;
        // A Qt older than the one built against fails here, on the module's
        // Qt_6.x version need.
        void *handle = dlopen(module.c_str(), kModuleMode);
        if (!handle) {
            why = dlerror();
            break;
        }
        if (auto *windowMain = reinterpret_cast<WindowMain>(dlsym(handle, "SpirelleWindowMain")))
            return windowMain(argc, argv);
        why = dlerror();
        break;
    }
    if (why.empty())
        why = "no " + std::string(SPIRELLE_WINDOW_MODULE) + " beside " + folder.string() + " or in " +
            (folder / SPIRELLE_WINDOW_MODULE_FROM_BINDIR).parent_path().lexically_normal().string();
    std::fprintf(stderr, "spirelle: the window cannot start: %s\n", why.c_str());
    return 1;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    if (spirelle::cli::IsCommandLine(argc, argv))
#ifdef SPIRELLE_QT_VERSION
        return spirelle::cli::Main(argc, argv, SPIRELLE_QT_VERSION);
#else
        return spirelle::cli::Main(argc, argv, "");
#endif
    return RunWindow(argc, argv);
}
