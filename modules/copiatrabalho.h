#pragma once
// A window's work copy of an image slice: taken from the image when the
// entry starts, edited by the window, written back only when it ends with
// Ok. Its bytes are addressed by their image offsets, with the image's own
// accessors:
//
//   TCopiaTrabalho<ofsFatiaGrupos, kTamanhoFatiaGrupos> CopiaGrupos;
//   CopiaGrupos[OffsetTipoGrupo(g)] = kGrupoDesativado;
#include "image/layout.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

template <int Inicio, int Tamanho>
class TCopiaTrabalho {
    static_assert(Inicio >= 0 && Tamanho > 0 && Inicio + Tamanho <= kTamanhoImagem);

public:
    void Toma(const std::uint8_t* imagem) { std::memcpy(bytes_, imagem + Inicio, Tamanho); }
    void Devolve(std::uint8_t* imagem) const { std::memcpy(imagem + Inicio, bytes_, Tamanho); }

    // The byte of image offset ofs; an offset outside the slice throws.
    std::uint8_t& operator[](int ofs) { return bytes_[Indice(ofs)]; }
    std::uint8_t operator[](int ofs) const { return bytes_[Indice(ofs)]; }

private:
    static int Indice(int ofs)
    {
        if (ofs < Inicio || ofs >= Inicio + Tamanho)
            throw std::out_of_range("offset outside the work copy");
        return ofs - Inicio;
    }

    std::uint8_t bytes_[Tamanho] = {};
};
