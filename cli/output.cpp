#include "cli/output.h"

#include "calc/number_text.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <vector>

namespace spirelle::cli {
namespace {

// Each cell's text in the table and in CSV; CSV leaves a gap empty.
std::string CellText(const Cell &cell, std::string_view gap)
{
    if (const double *number = std::get_if<double>(&cell))
        return std::isfinite(*number) ? FormatNumber(*number) : std::string(gap);
    if (const auto *text = std::get_if<std::string_view>(&cell))
        return std::string(*text);
    if (const bool *flag = std::get_if<bool>(&cell))
        return *flag ? "yes" : "no";
    return std::string(gap);
}

class TableWriter : public Writer {
public:
    explicit TableWriter(std::span<const Column> columns) : m_widths(columns.size())
    {
        std::vector<std::string> titles;
        for (const Column &column : columns)
            titles.emplace_back(column.title);
        add(titles);
    }

    void row(std::span<const Cell> cells) override
    {
        std::vector<std::string> texts;
        for (const Cell &cell : cells)
            texts.push_back(CellText(cell, "-"));
        add(texts);
    }

    std::string finish() override
    {
        std::string out;
        for (const std::string &line : m_lines) {
            std::size_t column = 0;
            std::size_t begin = 0;
            std::string padded;
            while (begin <= line.size()) {
                const std::size_t end = std::min(line.find('\t', begin), line.size());
                padded.append(line, begin, end - begin);
                if (end == line.size())
                    break;
                padded.append(m_widths[column] - (end - begin) + 2, ' ');
                ++column;
                begin = end + 1;
            }
            out += padded;
            out += '\n';
        }
        return out;
    }

private:
    // Rows are kept as one tab-separated string each until the widths are known:
    // far smaller than a string per cell for a sweep of 100,000 coils.
    void add(const std::vector<std::string> &texts)
    {
        std::string line;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (i > 0)
                line += '\t';
            line += texts[i];
            m_widths[i] = std::max(m_widths[i], texts[i].size());
        }
        m_lines.push_back(std::move(line));
    }

    std::vector<std::size_t> m_widths;
    std::vector<std::string> m_lines;
};

class CsvWriter : public Writer {
public:
    explicit CsvWriter(std::span<const Column> columns) : m_columns(columns.size())
    {
        for (std::size_t i = 0; i < columns.size(); ++i)
            append(i, std::string(columns[i].key));
    }

    void row(std::span<const Cell> cells) override
    {
        for (std::size_t i = 0; i < cells.size(); ++i)
            append(i, CellText(cells[i], ""));
    }

    std::string finish() override { return std::move(m_out); }

private:
    void append(std::size_t i, const std::string &field)
    {
        if (i > 0)
            m_out += ',';
        if (field.find_first_of(",\"\n") == std::string::npos) {
            m_out += field;
        } else {
            m_out += '"';
            for (const char c : field)
                m_out += c == '"' ? std::string("\"\"") : std::string(1, c);
            m_out += '"';
        }
        if (i + 1 == m_columns)
            m_out += '\n';
    }

    std::size_t m_columns = 0;
    std::string m_out;
};

// The value as the other formats write it, 15 significant digits; whole
// numbers without a ".0", as the table shows them.
nlohmann::ordered_json JsonNumber(double value)
{
    if (!std::isfinite(value))
        return nullptr;
    const double shown = ParseNumber(FormatNumber(value));
    if (std::fabs(shown) < 1e15 && shown == std::trunc(shown))
        return static_cast<std::int64_t>(shown);
    return shown;
}

class JsonWriter : public Writer {
public:
    explicit JsonWriter(std::span<const Column> columns) : m_columns(columns) { m_out.push_back('['); }

    void row(std::span<const Cell> cells) override
    {
        nlohmann::ordered_json object;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::string key(m_columns[i].key);
            if (const double *number = std::get_if<double>(&cells[i]))
                object[key] = JsonNumber(*number);
            else if (const auto *text = std::get_if<std::string_view>(&cells[i]))
                object[key] = std::string(*text);
            else if (const bool *flag = std::get_if<bool>(&cells[i]))
                object[key] = *flag;
            else
                object[key] = nullptr;
        }
        m_out += m_rows++ == 0 ? "\n" : ",\n";
        m_out += object.dump();
    }

    std::string finish() override
    {
        m_out += "\n]\n";
        return std::move(m_out);
    }

private:
    std::span<const Column> m_columns;
    std::size_t m_rows = 0;
    std::string m_out;
};

} // namespace

std::unique_ptr<Writer> MakeWriter(Format format, std::span<const Column> columns)
{
    switch (format) {
    case Format::Csv:
        return std::make_unique<CsvWriter>(columns);
    case Format::Json:
        return std::make_unique<JsonWriter>(columns);
    case Format::Table:
        break;
    }
    return std::make_unique<TableWriter>(columns);
}

std::string NumberText(double value)
{
    return std::isfinite(value) ? FormatNumber(value) : std::string("-");
}

} // namespace spirelle::cli
