// Writes the template PADRAO.PBX: a new exchange's factory programming.
#include "image/layout.h"
#include "image/padrao.h"

#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gerapadrao <file>\n");
        return 2;
    }
    std::vector<std::uint8_t> imagem(kTamanhoImagem);
    PreencheImagemPadrao(imagem.data());
    std::FILE* arquivo = std::fopen(argv[1], "wb");
    if (!arquivo) {
        std::perror(argv[1]);
        return 1;
    }
    const bool gravou = std::fwrite(imagem.data(), 1, imagem.size(), arquivo) == imagem.size();
    return std::fclose(arquivo) == 0 && gravou ? 0 : 1;
}
