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

// A cell's text in the table and in CSV; CSV leaves a gap empty.
void AppendCell(std::string &out, const Cell &cell, std::string_view gap)
{
    if (const double *number = std::get_if<double>(&cell)) {
        if (std::isfinite(*number))
            AppendNumber(out, *number);
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
    TableWriter(std::span<const Column> columns, Sink &out, ErrorColumn errors) : BufferedWriter(columns, out, errors)
    {
        m_widths.resize(m_columns.size());
        std::vector<std::string> titles;
        for (const Column &column : m_columns)
            titles.emplace_back(column.title);
        hold(std::move(titles));
    }

protected:
    void put(std::span<const Cell> cells, std::string_view error) override
    {
        std::vector<std::string> texts(m_columns.size());
        for (std::size_t i = 0; i < dataColumns(); ++i)
            AppendCell(texts[i], i < cells.size() ? cells[i] : Cell(Gap{}), "-");
        if (m_errors)
            texts.back() = error;
        if (!m_streaming) {
            hold(std::move(texts));
            if (m_held.size() > kTableLookahead)
                release();
            return;
        }
        line(texts);
        flushIfFull();
    }

    void end() override
    {
        release();
        flush();
    }

private:
    void hold(std::vector<std::string> texts)
    {
        for (std::size_t i = 0; i < texts.size(); ++i)
            m_widths[i] = std::max(m_widths[i], texts[i].size());
        m_held.push_back(std::move(texts));
    }

    void release()
    {
        for (const auto &texts : m_held)
            line(texts);
        m_held = {};
        m_streaming = true;
        flush();
    }

    // Cells two blanks apart, the last non-empty one unpadded.
    void line(const std::vector<std::string> &texts)
    {
        std::size_t last = texts.size();
        while (last > 1 && texts[last - 1].empty())
            --last;
        for (std::size_t i = 0; i < last; ++i) {
            m_text += texts[i];
            m_widths[i] = std::max(m_widths[i], texts[i].size());
            if (i + 1 < last)
                m_text.append(m_widths[i] - texts[i].size() + 2, ' ');
        }
        m_text += '\n';
    }

    std::vector<std::size_t> m_widths;
    std::vector<std::vector<std::string>> m_held; // the heading and the first rows
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
    switch (format) {
    case Format::Csv:
        return std::make_unique<CsvWriter>(columns, out, errors);
    case Format::Json:
        return std::make_unique<JsonWriter>(columns, out, errors);
    case Format::Table:
        break;
    }
    return std::make_unique<TableWriter>(columns, out, errors);
}

std::string NumberText(double value)
{
    return std::isfinite(value) ? FormatNumber(value) : std::string("-");
}

} // namespace spirelle::cli
