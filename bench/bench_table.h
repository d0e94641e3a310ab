#pragma once
// The benchmarks' figures as a table: one column per size, one row per
// figure, so that growth faster than linear shows at a glance down a column
// of per-key figures.

#include <cstdio>
#include <string>
#include <vector>

namespace brackwell::bench {

class FigureTable {
public:
    explicit FigureTable(std::vector<std::string> columns) : m_columns(std::move(columns)) {}

    void Row(const std::string& label, const std::vector<std::string>& cells) {
        m_rows.push_back({label, cells});
    }

    void Print() const {
        std::printf("%-44s", "");
        for (const std::string& column : m_columns) std::printf("%16s", column.c_str());
        std::printf("\n");
        for (const auto& [label, cells] : m_rows) {
            std::printf("%-44s", label.c_str());
            for (const std::string& cell : cells) std::printf("%16s", cell.c_str());
            std::printf("\n");
        }
    }

private:
    std::vector<std::string> m_columns;
    std::vector<std::pair<std::string, std::vector<std::string>>> m_rows;
};

inline std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

inline std::string Seconds(double s) {
    return Format("%.3f s", s);
}
inline std::string Micros(double s) {
    return Format("%.3f us", s * 1e6);
}
inline std::string Ratio(double r) {
    return Format("%.2f", r);
}
inline std::string MiB(double m) {
    return Format("%.1f MiB", m);
}
inline std::string Bytes(double b) {
    return Format("%.1f B", b);
}

// "10,000 keys" and the like.
inline std::string Count(std::size_t n, const char* unit) {
    const std::string digits = std::to_string(n);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped + (*unit ? " " : "") + unit;
}

}  // namespace brackwell::bench
