#include "cli/output.h"

#include "calc/number_format.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <vector>

namespace spirelle::cli {
namespace {

// Text is handed to the sink in pieces about this large: few writes, little memory.
constexpr std::size_t kFlushSize = std::size_t{16} * 1024;

constexpr Column kErrorColumn{"error", "error"};

// A cell's text in the table and in CSV, a number rounded as `rounding` says;
// CSV leaves a gap empty.
void AppendCell(std::string &out, const Cell &cell, std::string_view gap, const NumberFormat &rounding = {})
{
    if (const double *number = std::get_if<double>(&cell)) {
        if (std::isfinite(*number))
            AppendNumber(out, *number, rounding);
        else
            out += gap;
    } else if (const auto *text = std::get_if<std::string_view>(&cell)) {
        out += *text;
    } else if (const bool *flag = std::get_if<bool>(&cell)) {
        out += *flag ? "yes" : "no";
    } else {
        out += gap;
    }
}

// Whether a cell says something: not a gap, a number not finite or an empty text.
bool Filled(const Cell &cell)
{
    if (const double *number = std::get_if<double>(&cell))
        return std::isfinite(*number);
    if (const auto *text = std::get_if<std::string_view>(&cell))
        return !text->empty();
    return !std::holds_alternative<Gap>(cell);
}

// "a", "a and b", "a, b and c"
std::string Listed(const std::vector<std::string_view> &names)
{
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += std::string(i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + std::string(names[i]);
    return text;
}

// The writers' shared part: the text held until it is worth a write.
class BufferedWriter : public Writer {
public:
    BufferedWriter(std::span<const Column> columns, Sink &out, ErrorColumn errors)
        : m_columns(columns.begin(), columns.end()), m_out(out)
    {
        if (errors == ErrorColumn::Yes)
            m_columns.push_back(kErrorColumn);
        m_errors = errors == ErrorColumn::Yes;
    }

protected:
    // The columns a row's cells fill: all but the error column.
    std::size_t dataColumns() const { return m_columns.size() - (m_errors ? 1 : 0); }
    void flushIfFull()
    {
        if (m_text.size() >= kFlushSize)
            flush();
    }
    void flush()
    {
        m_out.write(m_text);
        m_text.clear();
    }

    std::vector<Column> m_columns;
    bool m_errors = true;
    std::string m_text;

private:
    Sink &m_out;
};

class TableWriter final : public BufferedWriter {
public:
    TableWriter(std::span<const Column> columns, Sink &out, ErrorColumn errors, const Format &format)
        : BufferedWriter(columns, out, errors), m_wide(format.wide)
    {
        m_shown.resize(m_columns.size(), Shown::Empty);
        for (Column &column : m_columns) {
            m_widths.push_back(column.title.size());
            if (column.rounding.decimals < 0)
                column.rounding.significant = format.digits;
        }
    }

protected:
    void put(std::span<const Cell> cells, std::string_view error) override
    {
        std::vector<std::string> texts(m_columns.size());
        std::vector<bool> filled(m_columns.size());
        for (std::size_t i = 0; i < dataColumns(); ++i) {
            const Cell &cell = i < cells.size() ? cells[i] : Cell(Gap{});
            AppendCell(texts[i], cell, "-", m_columns[i].rounding);
            filled[i] = Filled(cell);
        }
        if (m_errors) {
            texts.back() = error;
            filled.back() = !error.empty();
        }
        if (!m_streaming) {
            for (std::size_t i = 0; i < texts.size(); ++i) {
                m_widths[i] = std::max(m_widths[i], texts[i].size());
                if (filled[i])
                    m_shown[i] = Shown::Yes;
            }
            m_held.push_back(std::move(texts));
            if (m_held.size() >= kTableLookahead)
                release();
            return;
        }
        line(texts, filled);
        flushIfFull();
    }

    void end() override
    {
        release();
        std::vector<std::string_view> leftOut;
        for (std::size_t i = 0; i < m_columns.size(); ++i)
            if (m_shown[i] == Shown::LeftOut)
                leftOut.push_back(m_columns[i].title);
        if (!leftOut.empty())
            m_text += Listed(leftOut) + " left out to fit " + std::to_string(kTableWidth) + " columns; --wide shows " +
                (leftOut.size() == 1 ? "it" : "them") + "\n";
        flush();
    }

private:
    // Whether a column is shown: a column with nothing in the first rows is not, nor one left out to fit.
    enum class Shown { Yes, Empty, LeftOut };

    // The heading and the rows held back, once the columns are chosen.
    void release()
    {
        if (m_streaming)
            return;
        m_streaming = true;
        if (m_held.empty()) // no row to judge by: every column
            std::fill(m_shown.begin(), m_shown.end(), Shown::Yes);
        if (!m_wide)
            narrow();
        std::vector<std::string> titles;
        for (const Column &column : m_columns)
            titles.emplace_back(column.title);
        line(titles, {});
        for (const auto &texts : m_held)
            line(texts, {});
        m_held = {};
        flush();
    }

    // Leaves out the columns of the lowest priority, the rightmost of equals
    // first, until the table fits its width; words do not count.
    void narrow()
    {
        const auto width = [&] {
            std::size_t total = 0;
            for (std::size_t i = 0; i < m_columns.size(); ++i)
                if (m_shown[i] == Shown::Yes && m_columns[i].priority < kWords)
                    total += (total == 0 ? 0 : 2) + m_widths[i];
            return total;
        };
        while (width() > kTableWidth) {
            std::size_t lowest = m_columns.size();
            for (std::size_t i = 0; i < m_columns.size(); ++i)
                if (m_shown[i] == Shown::Yes && m_columns[i].priority < kWords &&
                    (lowest == m_columns.size() || m_columns[i].priority <= m_columns[lowest].priority))
                    lowest = i;
            m_shown[lowest] = Shown::LeftOut;
        }
    }

    // The shown cells two blanks apart, the last non-empty one unpadded; then
    // any value of a column not shown for being empty in the first rows, after its title.
    void line(const std::vector<std::string> &texts, const std::vector<bool> &filled)
    {
        std::size_t last = 0;
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (m_shown[i] == Shown::Yes && (!texts[i].empty() || last == 0))
                last = i + 1;
        std::string_view gap;
        for (std::size_t i = 0; i < last; ++i) {
            if (m_shown[i] != Shown::Yes)
                continue;
            m_widths[i] = std::max(m_widths[i], texts[i].size());
            m_text.append(gap).append(texts[i]);
            gap = std::string_view("  ");
            if (i + 1 < last)
                m_text.append(m_widths[i] - texts[i].size(), ' ');
        }
        for (std::size_t i = 0; i < filled.size(); ++i)
            if (filled[i] && m_shown[i] == Shown::Empty)
                m_text.append(gap).append(m_columns[i].title).append(": ").append(texts[i]);
        m_text += '\n';
    }

    bool m_wide;
    std::vector<std::size_t> m_widths;
    std::vector<Shown> m_shown;
    std::vector<std::vector<std::string>> m_held; // the first rows
    bool m_streaming = false;
};

class CsvWriter final : public BufferedWriter {
public:
    CsvWriter(std::span<const Column> columns, Sink &out, ErrorColumn errors) : BufferedWriter(columns, out, errors)
    {
        for (std::size_t i = 0; i < m_columns.size(); ++i) {
            m_text += i == 0 ? "" : ",";
            m_text += m_columns[i].key;
        }
        m_text += '\n';
        flush();
    }

protected:
    void put(std::span<const Cell> cells, std::string_view error) override
    {
        for (std::size_t i = 0; i < dataColumns(); ++i) {
            if (i > 0)
                m_text += ',';
            const std::size_t start = m_text.size();
            const Cell &cell = i < cells.size() ? cells[i] : Cell(Gap{});
            AppendCell(m_text, cell, "");
            if (std::holds_alternative<std::string_view>(cell)) // a number never needs quotes
                quote(start);
        }
        if (m_errors) {
            m_text += ',';
            const std::size_t start = m_text.size();
            m_text += error;
            quote(start);
        }
        m_text += '\n';
        flushIfFull();
    }

    void end() override { flush(); }

private:
    // The field from `start` on, quoted if it holds a comma, a quote or a line break.
    void quote(std::size_t start)
    {
        if (m_text.find_first_of(",\"\n\r", start) == std::string::npos)
            return;
        std::string field = "\"";
        for (std::size_t i = start; i < m_text.size(); ++i)
            field += m_text[i] == '"' ? std::string("\"\"") : std::string(1, m_text[i]);
        m_text.replace(start, std::string::npos, field + "\"");
    }
};

// A JSON string: quotes, backslashes and control characters escaped; the
// texts are the program's own, valid UTF-8.
void AppendJsonString(std::string &out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[(c >> 4) & 0xf];
            out += kHex[c & 0xf];
        } else {
            out += c;
        }
    }
    out += '"';
}

class JsonWriter final : public BufferedWriter {
public:
    JsonWriter(std::span<const Column> columns, Sink &out, ErrorColumn errors) : BufferedWriter(columns, out, errors)
    {
        m_text += '[';
        flush();
    }

protected:
    void put(std::span<const Cell> cells, std::string_view error) override
    {
        m_text += m_rows++ == 0 ? "\n{" : ",\n{";
        for (std::size_t i = 0; i < m_columns.size(); ++i) {
            if (i > 0)
                m_text += ',';
            AppendJsonString(m_text, m_columns[i].key);
            m_text += ':';
            const Cell cell = i < cells.size() ? cells[i] : Cell(Gap{});
            if (m_errors && i + 1 == m_columns.size()) {
                if (error.empty())
                    m_text += "null";
                else
                    AppendJsonString(m_text, error);
            } else if (const auto *text = std::get_if<std::string_view>(&cell)) {
                AppendJsonString(m_text, *text);
            } else if (const bool *flag = std::get_if<bool>(&cell)) {
                m_text += *flag ? "true" : "false";
            } else {
                // Numbers exactly as the table writes them: "1E-05" and "1E+15" are JSON numbers too.
                AppendCell(m_text, cell, "null");
            }
        }
        m_text += '}';
        flushIfFull();
    }

    void end() override
    {
        m_text += "\n]\n";
        flush();
    }

private:
    std::size_t m_rows = 0;
};

} // namespace

void FileSink::write(std::string_view text)
{
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), m_file) != text.size())
        throw OutputError(std::strerror(errno));
}

void Outcome::add(const Outcome &other)
{
    rows += other.rows;
    failed += other.failed;
    if (firstError.empty())
        firstError = other.firstError;
}

void Writer::row(std::span<const Cell> cells)
{
    ++m_outcome.rows;
    put(cells, {});
}

void Writer::failed(std::span<const Cell> known, std::string_view why)
{
    ++m_outcome.rows;
    if (m_outcome.failed++ == 0)
        m_outcome.firstError = why;
    put(known, why);
}

Outcome Writer::finish()
{
    end();
    return std::move(m_outcome);
}

std::unique_ptr<Writer> MakeWriter(Format format, std::span<const Column> columns, Sink &out, ErrorColumn errors)
{
    switch (format.kind) {
    case Format::Csv:
        return std::make_unique<CsvWriter>(columns, out, errors);
    case Format::Json:
        return std::make_unique<JsonWriter>(columns, out, errors);
    case Format::Table:
        break;
    }
    return std::make_unique<TableWriter>(columns, out, errors, format);
}

std::string NumberText(double value, int digits)
{
    return std::isfinite(value) ? FormatNumber(value, {.significant = digits, .plainUpTo = 14}) : std::string("-");
}

} // namespace spirelle::cli
