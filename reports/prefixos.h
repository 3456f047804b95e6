#pragma once
// The prefixes of the blocking table as the report prints them.
#include <cstdint>
#include <string>
#include <vector>

struct TPrefixoImpresso {
    std::string digitos; // 1..7 digits
    int categoria = 0;   // 0 local, 1 regional, 2 DDD, 3 DDI, 4 blocked
};

// Every prefix of the image's blocking table, in the table's order.
std::vector<TPrefixoImpresso> PrefixosDaTabela(const std::uint8_t* imagem);
