#include "cli/OutputFormats.h"

#include <algorithm>
#include <cstdio>

#include "system/Utf8.h"

namespace cli {

std::string CsvField(const std::string& text) {
    const bool quoted = text.find_first_of("\",;\r\n") != std::string::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted) return text;
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"') field += '"';
        field += c;
    }
    return field + '"';
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (size_t at = 0; at < text.size();) {
        const CodePoint point = ReadCodePoint(text, at);
        at += point.length;
        const char32_t c = point.value;
        switch (c) {
            case '"':
                out += "\\\"";
                continue;
            case '\\':
                out += "\\\\";
                continue;
            case '\n':
                out += "\\n";
                continue;
            case '\r':
                out += "\\r";
                continue;
            case '\t':
                out += "\\t";
                continue;
            default:
                break;
        }
        // Control characters and the lone surrogates of Windows' names have no
        // UTF-8 form of their own in JSON text: they go as escapes.
        if (c < 0x20 || (c >= 0xD800 && c <= 0xDFFF)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            AppendCodePoint(out, c);
        }
    }
    return out + '"';
}

namespace {

std::string Csv(const std::vector<OutputColumn>& columns, const std::vector<OutputRow>& rows) {
    std::string out = "\xEF\xBB\xBF";
    auto line = [&out](const std::vector<std::string>& fields) {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i) out += ',';
            out += CsvField(fields[i]);
        }
        out += "\r\n";
    };
    std::vector<std::string> fields;
    for (const OutputColumn& column : columns) fields.push_back(column.key);
    line(fields);
    for (const OutputRow& row : rows) {
        fields.clear();
        for (const FieldValue& value : row) fields.push_back(value.data);
        line(fields);
    }
    return out;
}

std::string Json(const std::vector<OutputColumn>& columns, const std::vector<OutputRow>& rows) {
    std::string out = "[";
    for (size_t r = 0; r < rows.size(); ++r) {
        out += r ? ",\n  {" : "\n  {";
        const OutputRow& row = rows[r];
        for (size_t i = 0; i < row.size() && i < columns.size(); ++i) {
            if (i) out += ", ";
            out += JsonString(columns[i].key) + ": ";
            const FieldValue& value = row[i];
            out += value.type == FieldType::Text ? JsonString(value.data) : value.data;
        }
        out += '}';
    }
    return out + (rows.empty() ? "]\n" : "\n]\n");
}

// Characters, not bytes, make a column's width.
size_t Width(const std::string& text) {
    size_t width = 0;
    for (size_t at = 0; at < text.size(); ++width) at += ReadCodePoint(text, at).length;
    return width;
}

// One line per row: a line break inside a value is shown as a blank.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::replace(text.begin(), text.end(), '\t', ' ');
    return text;
}

std::string Table(const std::vector<OutputColumn>& columns, const std::vector<OutputRow>& rows) {
    std::vector<std::vector<std::string>> cells;
    std::vector<std::string> header;
    for (const OutputColumn& column : columns) header.push_back(OneLine(column.caption));
    cells.push_back(header);
    for (const OutputRow& row : rows) {
        std::vector<std::string> line;
        for (const FieldValue& value : row) line.push_back(OneLine(value.people));
        line.resize(columns.size());
        cells.push_back(line);
    }
    std::vector<size_t> widths(columns.size(), 0);
    for (const auto& line : cells) {
        for (size_t i = 0; i < line.size(); ++i) widths[i] = std::max(widths[i], Width(line[i]));
    }
    std::string out;
    for (size_t l = 0; l < cells.size(); ++l) {
        std::string text;
        for (size_t i = 0; i < cells[l].size(); ++i) {
            if (i) text += "  ";
            text += cells[l][i];
            if (i + 1 < cells[l].size()) text.append(widths[i] - Width(cells[l][i]), ' ');
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out += text + '\n';
        if (l == 0) {
            std::string rule;
            for (size_t i = 0; i < widths.size(); ++i) rule += (i ? "  " : "") + std::string(widths[i], '-');
            out += rule + '\n';
        }
    }
    return out;
}

}  // namespace

std::string FormatRows(OutputFormat format, const std::vector<OutputColumn>& columns,
                       const std::vector<OutputRow>& rows) {
    switch (format) {
        case OutputFormat::Csv:
            return Csv(columns, rows);
        case OutputFormat::Json:
            return Json(columns, rows);
        case OutputFormat::Table:
            break;
    }
    return Table(columns, rows);
}

}  // namespace cli
