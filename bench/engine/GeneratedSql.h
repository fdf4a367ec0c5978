#pragma once

// Generates application SQL of a given size with about one block comment and one
// line comment every 100 bytes, the load the engine benchmarks run on.

#include <cstddef>
#include <random>
#include <string>

inline std::string GenerateSql(std::size_t aBytes)
{
    static const char *const lines[] = {
        "SELECT c.id, c.name, o.total FROM customers c /* main table */",
        "  INNER JOIN orders o ON o.customer_id = c.id -- only with orders",
        "WHERE c.city = 'Praha' AND o.created >= '2020-01-01' /* since 2020 */",
        "  AND c.note <> 'it''s' -- escaped quote",
        "GROUP BY c.id, c.name /* multi-line\r\n     comment */ ORDER BY o.total DESC",
        "UPDATE customers SET name = \"N\" WHERE id = 42; -- quoted identifier",
    };
    std::mt19937 random(12345);
    std::string out;
    out.reserve(aBytes + 128);
    while (out.size() < aBytes) {
        out += lines[random() % (sizeof lines / sizeof *lines)];
        out += "\r\n";
    }
    return out;
}
