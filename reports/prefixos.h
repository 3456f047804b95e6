#pragma once
// The prefixes of the blocking table as the report prints them.
#include <cstdint>
#include <string>
#include <vector>

// A category index no leaf has: a prefix whose decision lies on deeper digits
// than the report lists.
constexpr int kCategoriaMaisFundo = -1;

struct TPrefixoImpresso {
    std::string digitos; // 2..4 digits
    int categoria = 0;   // 0 local, 1 regional, 2 DDD, 3 DDI, 4 blocked, or kCategoriaMaisFundo
};

// Every prefix of the image's blocking table as the report walks it: each of
// the 100 root entries in order, a leaf as its two digits, a node as its ten
// three-digit entries, and a node found there as its ten four-digit entries.
// A reference to a node outside the pool lists nothing.
std::vector<TPrefixoImpresso> PrefixosDaTabela(const std::uint8_t* imagem);
