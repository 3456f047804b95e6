// The programming file: any bytes read as a .PBX file, then saved over the
// same file and read again. The read gives the signature's verdict; a signed
// file's first 6610 bytes go into the image (a short file its own, the rest
// from the template, here the factory programming, with one box that says
// so), an unsigned one leaves the image as it was; the save stamps the
// signature, keeps whatever the file held past the image, and reads back as
// the same image. No other message box may come up.
#include "tests/fuzz/support/fuzz.h"

#include "image/assinatura.h"
#include "image/layout.h"
#include "image/padrao.h"
#include "platform/application.h"
#include "platform/testhooks.h"
#include "shell/arquivos.h"
#include "state/registro.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

int boxesCurto = 0;

int CountShortFileBox(const MessageBoxCall& call)
{
    FuzzCheck(call.caption == QString::fromUtf8("Atenção"), "only the short-file box is shown");
    ++boxesCurto;
    return IDOK;
}

// The bytes a signed image shows on disk: byte 0, then the signature.
bool TemAssinatura(const std::uint8_t* data, std::size_t size)
{
    return size > kAssinatura.size() && std::equal(kAssinatura.begin(), kAssinatura.end(), data + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInit();
    static const auto imagem = std::make_unique<std::uint8_t[]>(kTamanhoImagem);
    static const QString nome = FuzzScratchDir() + QStringLiteral("/ENTRADA.PBX");
    Imagem = imagem.get();
    // A mark in every byte shows what the read wrote and what it left.
    constexpr std::uint8_t kMarca = 0xA5;
    std::memset(Imagem, kMarca, kTamanhoImagem);
    FuzzWriteFile(nome, data, size);

    // No template in this folder: a short file is completed from the
    // factory programming.
    DiretorioPrograma = FuzzScratchDir();
    ImagemAlterada = true;
    const MessageBoxHook semCaixas = CurrentMessageBoxHook();
    boxesCurto = 0;
    SetMessageBoxHook(CountShortFileBox);
    const bool valido = LeArquivoProgramacao(nome);
    SetMessageBoxHook(semCaixas);
    FuzzCheck(valido == TemAssinatura(data, size), "the signature's verdict");
    FuzzCheck(ImagemAlterada != valido, "only an accepted file counts as unchanged since its file");
    const std::size_t lidos = valido ? std::min<std::size_t>(size, kTamanhoImagem) : 0;
    const bool curto = valido && size < kTamanhoImagem;
    FuzzCheck(boxesCurto == (curto ? 1 : 0), "one box for a short file, none otherwise");
    FuzzCheck(std::memcmp(Imagem, data, lidos) == 0, "the image holds the accepted file's bytes");
    if (valido)
        FuzzCheck(std::memcmp(Imagem + lidos, ImagemPadrao() + lidos, kTamanhoImagem - lidos) == 0,
                  "a short file's rest is the factory programming");
    else
        FuzzCheck(std::all_of(Imagem, Imagem + kTamanhoImagem, [](std::uint8_t b) { return b == kMarca; }),
                  "a refused file writes nothing");

    FuzzCheck(GravaArquivoProgramacao(nome, true), "the save over the same file");
    const QByteArray gravado = FuzzReadFile(nome);
    const std::size_t cauda = size > kTamanhoImagem ? size - kTamanhoImagem : 0;
    FuzzCheck(static_cast<std::size_t>(gravado.size()) == kTamanhoImagem + cauda, "the saved file's length");
    FuzzCheck(std::memcmp(gravado.constData(), Imagem, kTamanhoImagem) == 0, "the saved image");
    FuzzCheck(AssinaturaValida(Imagem), "the save stamps the signature");
    FuzzCheck(cauda == 0 || std::memcmp(gravado.constData() + kTamanhoImagem, data + kTamanhoImagem, cauda) == 0,
              "the tail past the image is kept");

    const std::unique_ptr<std::uint8_t[]> salvo(new std::uint8_t[kTamanhoImagem]);
    std::memcpy(salvo.get(), Imagem, kTamanhoImagem);
    FuzzCheck(LeArquivoProgramacao(nome), "the saved file reads as a programming");
    FuzzCheck(std::memcmp(salvo.get(), Imagem, kTamanhoImagem) == 0, "the saved file reads back as the same image");
    return 0;
}

// The template, unsigned, cut short, cut at the signature, and with a tail.
std::vector<std::string> FuzzSeeds()
{
    std::string padrao(kTamanhoImagem, '\0');
    PreencheImagemPadrao(reinterpret_cast<std::uint8_t*>(padrao.data()));
    std::string semAssinatura = padrao;
    semAssinatura[5] = 'X';
    return {
        padrao,
        semAssinatura,
        padrao.substr(0, 11),
        padrao.substr(0, 10),
        padrao.substr(0, 700),
        padrao + "CAUDA",
        std::string(),
    };
}
