#include "cli/drawing.h"

#include "calc/calc_error.h"
#include "calc/solenoid.h"
#include "calc/winding.h"
#include "cli/arguments.h"
#include "cli/output.h"
#include "forms/drawings.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace spirelle::cli {
namespace {

// A wire's name for comparing: no blanks, small letters ("# 20" -> "#20").
std::string Plain(std::string_view name)
{
    std::string plain;
    for (const char c : name)
        if (!std::isspace(static_cast<unsigned char>(c)))
            plain += char(std::tolower(static_cast<unsigned char>(c)));
    return plain;
}

[[noreturn]] void NoDrawing(const std::string &path, std::string_view why)
{
    throw OutputError("--svg " + path + ": no drawing: " + std::string(why));
}

} // namespace

void RequireOneDesign(std::initializer_list<std::pair<std::string_view, std::size_t>> arguments)
{
    for (const auto &[name, count] : arguments)
        if (count != 1)
            throw UsageError("--svg draws one design: " + std::string(name) + " has " + std::to_string(count) +
                             " values; give one");
}

std::size_t RowOf(std::string_view row, const Winding &winding)
{
    std::string names;
    for (std::size_t i = 0; i < winding.wires.size(); ++i) {
        const Wire &wire = winding.wires[i];
        const bool given = winding.isGiven(i) && Plain(winding.givenText) == Plain(row);
        if (!row.empty() && (given || Plain(wire.name) == Plain(row)))
            return i;
        names += (names.empty() ? "" : ", ") + (winding.isGiven(i) ? winding.givenText : wire.name);
    }
    if (row.empty())
        throw UsageError("--svg draws one design: name its row with --row WIRE, one of " + names);
    throw UsageError("--row " + std::string(row) + " is none of the rows: " + names);
}

void DrawFlat(const std::string &path, const FlatForm &shape, const Wire &wire, int turns)
{
    std::string svg;
    try {
        svg = forms::FlatFormSvg(MakeFlatCoil(shape, wire, turns), std::nullopt);
    } catch (const CalcError &error) {
        NoDrawing(path, error.what());
    }
    WriteWhole(path, svg);
}

void DrawSolenoid(const std::string &path, double formInches, const Wire &wire, double turns, double pitch,
                  const std::optional<spirelle::Taps> &taps)
{
    if (pitch < wire.outsideDiameter)
        NoDrawing(path, "the wire " + wire.name + " is thicker than the pitch");
    std::string svg;
    try {
        forms::Card card = forms::CardOf(MakeSolenoid(formInches, wire, turns, pitch), formInches);
        if (taps)
            card.taps = forms::TapMarks(taps->antenna, taps->detector);
        svg = forms::WindingCardSvg(card);
    } catch (const CalcError &error) {
        NoDrawing(path, error.what());
    }
    WriteWhole(path, svg);
}

void DrawTune(const std::string &path, double formInches, const Wire &wire, const Capacitor &capacitor,
              const Band &band, std::optional<double> pitch, const std::optional<FlatForm> &flat)
{
    std::string svg;
    try {
        std::optional<FlatForm> shape = flat;
        if (shape) {
            shape->innerDiameter = formInches;
            shape->pitch = shape->spokes ? std::nullopt : pitch;
        }
        const BandDesign design = shape ? DesignFlatForBand(*shape, wire, capacitor, band)
                                        : DesignForBand(formInches, wire, capacitor, band, pitch);
        if (!design.tuned)
            NoDrawing(path, "the wire " + wire.name + " has no coil for the band: " + design.reason);
        const RealCoil &coil = design.tuned->coil;
        svg = shape ? forms::FlatFormSvg(MakeFlatCoil(*shape, wire, coil.turns), band)
                    : forms::WindingCardSvg(forms::CardOf(coil, wire.name, formInches, band));
    } catch (const CalcError &error) {
        NoDrawing(path, error.what());
    }
    WriteWhole(path, svg);
}

void WriteWhole(const std::string &path, std::string_view text)
{
    const auto fail = [&path](int error) { throw OutputError("--svg " + path + ": " + std::strerror(error)); };
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        fail(errno);
    // mkstemp's file is the owner's alone; the drawing gets what the umask gives a new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    const auto discard = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        fail(error);
    };
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote < 0) {
            if (errno != EINTR)
                discard(errno);
            continue;
        }
        done += std::size_t(wrote);
    }
    if (::fsync(fd) != 0)
        discard(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fail(error);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fail(error);
    }
}

} // namespace spirelle::cli
