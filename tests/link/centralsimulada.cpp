#include "tests/link/centralsimulada.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <random>
#include <termios.h>
#include <unistd.h>

namespace {

using Relogio = std::chrono::steady_clock;

// 9600 bit/s, start + 8 data + stop bits.
constexpr std::chrono::nanoseconds kTempoByte{1041667};
constexpr std::size_t kMaiorQuadro = 1600;

struct TamanhoBlocoCentral {
    int bloco;
    std::uint16_t tamanho;
};

// The exchange's blocks and their data sizes.
constexpr TamanhoBlocoCentral kTamanhos[] = {
    {0, 8}, {1, 117}, {2, 4}, {3, 32}, {4, 26}, {5, 2}, {6, 960}, {7, 36},
    {8, 16}, {10, 7}, {11, 10}, {12, 30}, {13, 2}, {14, 350}, {15, 2},
    {16, 1430}, {17, 40}, {18, 49}, {19, 34}, {20, 25}, {21, 25}, {22, 1},
    {23, 15}, {24, 2}, {25, 2}, {26, 40}, {27, 53}, {28, 3}, {29, 66},
    {30, 24}, {32, 5}, {33, 48}, {34, 128}, {36, 2}, {128, 12}, {129, 12},
    {130, 12}, {131, 12}, {132, 26}, {133, 12}, {134, 12}, {135, 12},
    {136, 12}, {137, 12}, {138, 12}, {139, 80}, {141, 120}, {200, 320},
    {201, 2}, {202, 17}, {203, 47}, {204, 5},
};

struct TrechoCentral {
    int bloco;
    int dado;
    int imagem;
    int tamanho;
};

// Where the exchange keeps each block's data bytes in its image; bytes not
// listed are kept apart. The clock block's bytes are scattered over the
// clock fields, the area code travels high byte first.
constexpr TrechoCentral kTrechos[] = {
    {0, 0, 0, 1}, {0, 1, 17, 1}, {0, 2, 16, 1}, {0, 3, 15, 1},
    {0, 4, 12, 1}, {0, 5, 13, 1}, {0, 6, 14, 1}, {0, 7, 11, 1},
    {1, 0, 18, 117}, {2, 0, 394, 4}, {3, 0, 136, 32},
    {4, 0, 426, 24}, {4, 24, 6608, 2}, {5, 0, 702, 2}, {6, 0, 704, 960},
    {7, 0, 3344, 36}, {8, 0, 3380, 16}, {10, 0, 3396, 7}, {12, 0, 3443, 30},
    {13, 0, 3475, 2}, {14, 0, 3480, 350}, {15, 0, 3830, 2},
    {16, 0, 3941, 1320}, {17, 0, 5261, 40}, {18, 0, 3892, 49},
    {19, 0, 3833, 34}, {20, 0, 3867, 25}, {22, 0, 3473, 1},
    {24, 0, 3479, 1}, {24, 1, 3478, 1}, {26, 0, 3403, 40},
    {27, 0, 6141, 48}, {27, 52, 6189, 1}, {30, 0, 6535, 24}, {33, 0, 6559, 48},
    {128, 0, 6190, 12}, {129, 0, 6202, 12}, {130, 0, 6214, 12}, {131, 0, 6226, 12},
    {132, 0, 6238, 24}, {133, 0, 6262, 12}, {134, 0, 6274, 12}, {135, 0, 6286, 12},
    {136, 0, 6298, 12}, {137, 0, 6310, 12}, {138, 0, 6322, 12}, {139, 0, 6334, 80},
    {141, 0, 6414, 120},
};

// CRC-16/X-25 by table: reflected polynomial 0x1021, register 0xFFFF.
std::array<std::uint16_t, 256> TabelaCrc()
{
    std::array<std::uint16_t, 256> tabela{};
    for (unsigned i = 0; i < 256; ++i) {
        std::uint16_t r = static_cast<std::uint16_t>(i);
        for (int k = 0; k < 8; ++k)
            r = (r & 1) ? static_cast<std::uint16_t>((r >> 1) ^ 0x8408) : static_cast<std::uint16_t>(r >> 1);
        tabela[i] = r;
    }
    return tabela;
}

} // namespace

CentralSimulada::CentralSimulada()
{
    char nome[128] = {};
    if (openpty(&mestre_, &escravo_, nome, nullptr, nullptr) != 0)
        return;
    caminho_ = nome;
    termios t{};
    tcgetattr(escravo_, &t);
    cfmakeraw(&t);
    tcsetattr(escravo_, TCSANOW, &t);
    fcntl(mestre_, F_SETFL, fcntl(mestre_, F_GETFL) | O_NONBLOCK);
    if (pipe2(acordar_, O_NONBLOCK | O_CLOEXEC) != 0)
        return;
    for (int b = 0; b < 256; ++b)
        sobras_[static_cast<std::size_t>(b)].assign(Tamanho(b), 0);
    thread_ = std::thread([this] { Executa(); });
}

CentralSimulada::~CentralSimulada()
{
    rodando_ = false;
    Acorda();
    if (thread_.joinable())
        thread_.join();
    for (int fd : {mestre_, escravo_, acordar_[0], acordar_[1]})
        if (fd >= 0)
            ::close(fd);
}

std::uint16_t CentralSimulada::Tamanho(int bloco)
{
    for (const auto& t : kTamanhos)
        if (t.bloco == bloco)
            return t.tamanho;
    return 0;
}

std::vector<int> CentralSimulada::BlocosConhecidos()
{
    std::vector<int> blocos;
    for (const auto& t : kTamanhos)
        blocos.push_back(t.bloco);
    return blocos;
}

std::uint16_t CentralSimulada::Fcs(const std::uint8_t* bytes, std::size_t tamanho)
{
    static const std::array<std::uint16_t, 256> tabela = TabelaCrc();
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < tamanho; ++i)
        crc = static_cast<std::uint16_t>((crc >> 8) ^ tabela[(crc ^ bytes[i]) & 0xFF]);
    return static_cast<std::uint16_t>(~crc);
}

const std::vector<CentralSimulada::Trecho>& CentralSimulada::Trechos(int bloco)
{
    static const std::array<std::vector<Trecho>, 256> porBloco = [] {
        std::array<std::vector<Trecho>, 256> tabela;
        for (const auto& t : kTrechos)
            tabela[static_cast<std::size_t>(t.bloco)].push_back({t.dado, t.imagem, t.tamanho});
        return tabela;
    }();
    return porBloco[static_cast<std::size_t>(bloco & 0xFF)];
}

std::array<std::uint8_t, CentralSimulada::kTamanhoImagem> CentralSimulada::Imagem() const
{
    std::lock_guard<std::mutex> lock(trava_);
    return imagem_;
}

void CentralSimulada::DefineImagem(const std::array<std::uint8_t, kTamanhoImagem>& imagem)
{
    std::lock_guard<std::mutex> lock(trava_);
    imagem_ = imagem;
}

std::vector<std::uint8_t> CentralSimulada::Bloco(int bloco) const
{
    std::lock_guard<std::mutex> lock(trava_);
    return BlocoSemTrava(bloco);
}

void CentralSimulada::DefineBloco(int bloco, const std::vector<std::uint8_t>& dados)
{
    std::lock_guard<std::mutex> lock(trava_);
    GravaBlocoSemTrava(bloco, dados);
}

void CentralSimulada::PreencheAleatorio(unsigned semente)
{
    std::mt19937 gerador(semente);
    std::lock_guard<std::mutex> lock(trava_);
    for (auto& byte : imagem_)
        byte = static_cast<std::uint8_t>(gerador());
    for (auto& sobra : sobras_)
        for (auto& byte : sobra)
            byte = static_cast<std::uint8_t>(gerador());
}

std::vector<std::uint8_t> CentralSimulada::BlocoSemTrava(int bloco) const
{
    std::vector<std::uint8_t> dados = sobras_[static_cast<std::size_t>(bloco & 0xFF)];
    for (const Trecho& t : Trechos(bloco))
        std::copy_n(imagem_.begin() + t.imagem, t.tamanho, dados.begin() + t.dado);
    return dados;
}

void CentralSimulada::GravaBlocoSemTrava(int bloco, const std::vector<std::uint8_t>& dados)
{
    auto& sobra = sobras_[static_cast<std::size_t>(bloco & 0xFF)];
    std::copy_n(dados.begin(), std::min(dados.size(), sobra.size()), sobra.begin());
    for (const Trecho& t : Trechos(bloco))
        if (static_cast<std::size_t>(t.dado + t.tamanho) <= dados.size())
            std::copy_n(dados.begin() + t.dado, t.tamanho, imagem_.begin() + t.imagem);
}

void CentralSimulada::InjetaFalha(Falha falha, int vezes, int bloco)
{
    std::lock_guard<std::mutex> lock(trava_);
    falhas_.push_back({falha, vezes, bloco});
}

void CentralSimulada::AtrasoResposta(int unidades)
{
    std::lock_guard<std::mutex> lock(trava_);
    atraso_ = unidades;
}

void CentralSimulada::LatenciaResposta(int unidades)
{
    std::lock_guard<std::mutex> lock(trava_);
    latencia_ = unidades;
}

void CentralSimulada::UsaTicks(bool ticks)
{
    usaTicks_ = ticks;
    Acorda();
}

void CentralSimulada::AvancaTick()
{
    ++tick_;
    Acorda();
}

std::int64_t CentralSimulada::Agora() const
{
    if (usaTicks_)
        return tick_;
    return std::chrono::duration_cast<std::chrono::milliseconds>(Relogio::now() - inicio_).count();
}

bool CentralSimulada::Ocupada(std::uint64_t programaEnviou, std::uint64_t programaRecebeu) const
{
    // In this order: a byte read is handled (ocupada_) before the thread
    // rests, and a reply is counted as sent before it stops being due or
    // the thread rests.
    if (bytesRecebidos_ < programaEnviou)
        return true;
    if (ocupada_ || proximaDevida_ <= Agora())
        return true;
    return bytesEnviados_ > programaRecebeu;
}

void CentralSimulada::IgnoraBloco36(bool ignora)
{
    std::lock_guard<std::mutex> lock(trava_);
    ignora36_ = ignora;
}

void CentralSimulada::VelocidadeLinha(bool ritmada)
{
    std::lock_guard<std::mutex> lock(trava_);
    ritmada_ = ritmada;
}

void CentralSimulada::PausaLeitura(bool pausada)
{
    pausada_ = pausada;
    Acorda();
}

int CentralSimulada::PedidosLeitura(int bloco) const
{
    std::lock_guard<std::mutex> lock(trava_);
    return pedidos_[static_cast<std::size_t>(bloco & 0xFF)];
}

int CentralSimulada::Escritas(int bloco) const
{
    std::lock_guard<std::mutex> lock(trava_);
    return escritas_[static_cast<std::size_t>(bloco & 0xFF)];
}

int CentralSimulada::QuadrosInvalidos() const
{
    std::lock_guard<std::mutex> lock(trava_);
    return invalidos_;
}

std::vector<std::uint8_t> CentralSimulada::UltimoQuadro() const
{
    std::lock_guard<std::mutex> lock(trava_);
    return ultimoQuadro_;
}

void CentralSimulada::AguardaOcioso()
{
    const auto limite = Relogio::now() + std::chrono::seconds(1);
    int calmas = 0;
    while (calmas < 2 && Relogio::now() < limite) {
        pollfd p{mestre_, POLLIN, 0};
        const bool pendente = ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
        // On ticks, a reply due at a later tick waits for it.
        const bool devida = usaTicks_ ? proximaDevida_ <= Agora() : proximaDevida_ != kNunca;
        calmas = (!ocupada_ && !pendente && !devida) ? calmas + 1 : 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void CentralSimulada::Acorda()
{
    if (acordar_[1] >= 0) {
        const char c = 0;
        [[maybe_unused]] ssize_t r = ::write(acordar_[1], &c, 1);
    }
}

bool CentralSimulada::Dorme(Relogio::time_point ate)
{
    while (rodando_) {
        const auto falta = std::chrono::duration_cast<std::chrono::milliseconds>(ate - Relogio::now());
        if (falta.count() < 0)
            return true;
        pollfd p{acordar_[0], POLLIN, 0};
        ::poll(&p, 1, static_cast<int>(falta.count()) + 1);
        char lixo[16];
        while (::read(acordar_[0], lixo, sizeof lixo) > 0) {
        }
    }
    return false;
}

// Milliseconds the thread may sleep before the next reply is due: -1 when
// none is, or when on ticks (AvancaTick wakes it).
int CentralSimulada::EsperaAteProximaDevida() const
{
    const std::int64_t proxima = proximaDevida_;
    if (proxima == kNunca)
        return -1;
    const std::int64_t falta = proxima - Agora();
    if (falta <= 0)
        return 0;
    return usaTicks_ ? -1 : static_cast<int>(falta);
}

void CentralSimulada::AtualizaProximaDevida()
{
    std::int64_t proxima = kNunca;
    for (const RespostaPendente& r : pendentes_)
        proxima = std::min(proxima, r.quando);
    proximaDevida_ = proxima;
}

// Sends the replies that are due, in the order they fell due.
void CentralSimulada::EnviaDevidas()
{
    for (;;) {
        const std::int64_t agora = Agora();
        auto proxima = pendentes_.end();
        for (auto r = pendentes_.begin(); r != pendentes_.end(); ++r)
            if (r->quando <= agora && (proxima == pendentes_.end() || r->quando < proxima->quando))
                proxima = r;
        if (proxima == pendentes_.end())
            break;
        const std::vector<std::uint8_t> bytes = std::move(proxima->bytes);
        pendentes_.erase(proxima);
        Escreve(bytes.data(), bytes.size());
        AtualizaProximaDevida();
    }
    AtualizaProximaDevida();
}

void CentralSimulada::Executa()
{
    std::uint8_t pedaco[4096];
    while (rodando_) {
        pollfd fds[2] = {{acordar_[0], POLLIN, 0}, {mestre_, static_cast<short>(pausada_ ? 0 : POLLIN), 0}};
        const int espera = EsperaAteProximaDevida();
        ocupada_ = espera == 0;
        ::poll(fds, 2, espera);
        ocupada_ = true;
        EnviaDevidas();
        if (fds[0].revents & POLLIN) {
            while (::read(acordar_[0], pedaco, sizeof pedaco) > 0) {
            }
        }
        if (!(fds[1].revents & POLLIN))
            continue;
        const ssize_t lidos = ::read(mestre_, pedaco, sizeof pedaco);
        if (lidos <= 0)
            continue;
        if (entrada_.empty())
            inicioQuadro_ = Relogio::now();
        entrada_.insert(entrada_.end(), pedaco, pedaco + lidos);
        bytesRecebidos_ += static_cast<std::uint64_t>(lidos);
        ProcessaEntrada();
    }
}

void CentralSimulada::ProcessaEntrada()
{
    while (rodando_) {
        const auto inicio = std::find(entrada_.begin(), entrada_.end(), 0xFF);
        entrada_.erase(entrada_.begin(), inicio);
        if (entrada_.size() < 3)
            return;
        const std::size_t comprimento = entrada_[1] | (entrada_[2] << 8);
        const std::size_t total = comprimento + 5;
        if (comprimento < 2 || total > kMaiorQuadro) {
            entrada_.erase(entrada_.begin());
            std::lock_guard<std::mutex> lock(trava_);
            ++invalidos_;
            continue;
        }
        if (entrada_.size() < total)
            return;
        std::vector<std::uint8_t> quadro(entrada_.begin(), entrada_.begin() + static_cast<long>(total));
        entrada_.erase(entrada_.begin(), entrada_.begin() + static_cast<long>(total));
        bool ritmada = false;
        {
            std::lock_guard<std::mutex> lock(trava_);
            ritmada = ritmada_;
        }
        // At line speed the frame is complete only once its last byte arrived.
        if (ritmada && !Dorme(inicioQuadro_ + kTempoByte * static_cast<long>(total)))
            return;
        AtendeQuadro(quadro);
        inicioQuadro_ = Relogio::now();
    }
}

CentralSimulada::Falha CentralSimulada::ConsomeFalha(int bloco)
{
    for (RegraFalha& regra : falhas_) {
        if (regra.falha == Falha::Nenhuma || regra.vezes == 0 || (regra.bloco >= 0 && regra.bloco != bloco))
            continue;
        if (regra.vezes > 0)
            --regra.vezes;
        return regra.falha;
    }
    return Falha::Nenhuma;
}

std::vector<std::uint8_t> CentralSimulada::MontaQuadro(std::uint8_t comando, std::uint8_t bloco,
                                                       const std::vector<std::uint8_t>& dados) const
{
    const std::size_t comprimento = dados.size() + 2;
    std::vector<std::uint8_t> quadro(dados.size() + 7);
    quadro[0] = 0xFF;
    quadro[1] = static_cast<std::uint8_t>(comprimento & 0xFF);
    quadro[2] = static_cast<std::uint8_t>(comprimento >> 8);
    quadro[3] = comando;
    quadro[4] = bloco;
    std::copy(dados.begin(), dados.end(), quadro.begin() + 5);
    quadro.resize(dados.size() + 5);
    const std::uint16_t fcs = Fcs(quadro.data(), quadro.size());
    quadro.push_back(static_cast<std::uint8_t>(fcs & 0xFF));
    quadro.push_back(static_cast<std::uint8_t>(fcs >> 8));
    return quadro;
}

void CentralSimulada::AtendeQuadro(const std::vector<std::uint8_t>& quadro)
{
    const std::size_t n = quadro.size() - 7;
    const std::uint16_t fcs = static_cast<std::uint16_t>(quadro[quadro.size() - 2] | (quadro.back() << 8));
    std::unique_lock<std::mutex> lock(trava_);
    if (Fcs(quadro.data(), quadro.size() - 2) != fcs) {
        ++invalidos_;
        return;
    }
    ultimoQuadro_ = quadro;
    const std::uint8_t comando = quadro[3];
    const std::uint8_t bloco = quadro[4];
    if (comando == 8 && n == 0) {
        ++pedidos_[bloco];
        if (bloco == 36 && ignora36_)
            return;
        const Falha falha = ConsomeFalha(bloco);
        std::uint8_t respondido = bloco;
        std::vector<std::uint8_t> dados = BlocoSemTrava(bloco);
        if (falha == Falha::OutroBloco) {
            respondido = static_cast<std::uint8_t>(bloco + 1);
            if (Tamanho(respondido) == dados.size())
                dados = BlocoSemTrava(respondido);
        }
        std::vector<std::uint8_t> resposta = MontaQuadro(8, respondido, dados);
        lock.unlock();
        Responde(std::move(resposta), falha);
        return;
    }
    if (comando != 9) {
        ++invalidos_;
        return;
    }
    ++escritas_[bloco];
    Falha falha = ConsomeFalha(bloco);
    std::uint8_t confirmacao = kAck;
    if (n != Tamanho(bloco) || falha == Falha::ConfirmacaoErrada) {
        confirmacao = kNak;
        falha = Falha::Nenhuma;
    } else if (falha != Falha::SemResposta) {
        GravaBlocoSemTrava(bloco, std::vector<std::uint8_t>(quadro.begin() + 5, quadro.end() - 2));
    }
    // The acknowledgement: FF 03 00 09 FF, ACK or NAK, FCS.
    std::vector<std::uint8_t> resposta = MontaQuadro(9, 0xFF, {confirmacao});
    lock.unlock();
    Responde(std::move(resposta), falha);
}

void CentralSimulada::Responde(std::vector<std::uint8_t> resposta, Falha falha)
{
    const std::size_t meio = resposta.size() / 2;
    int espera = 0;
    {
        std::lock_guard<std::mutex> lock(trava_);
        espera = falha == Falha::RespostaAtrasada ? atraso_ : latencia_;
    }
    switch (falha) {
    case Falha::SemResposta: return;
    case Falha::BitInvertido: resposta[meio] ^= 0x08; break;
    case Falha::ByteOmitido: resposta.erase(resposta.begin() + static_cast<long>(meio)); break;
    case Falha::BytesExtras: resposta.insert(resposta.end(), {0x00, 0x55, 0xAA}); break;
    case Falha::FcsErrada: resposta.back() ^= 0x01; break;
    case Falha::RespostaDuplicada: {
        const std::vector<std::uint8_t> copia = resposta;
        resposta.insert(resposta.end(), copia.begin(), copia.end());
        break;
    }
    default: break;
    }
    if (espera <= 0) {
        Escreve(resposta.data(), resposta.size());
        return;
    }
    pendentes_.push_back({Agora() + espera, std::move(resposta)});
    AtualizaProximaDevida();
}

void CentralSimulada::Escreve(const std::uint8_t* bytes, std::size_t tamanho)
{
    bool ritmada = false;
    {
        std::lock_guard<std::mutex> lock(trava_);
        ritmada = ritmada_;
    }
    const auto inicio = Relogio::now();
    std::size_t enviados = 0;
    while (enviados < tamanho && rodando_) {
        std::size_t ate = tamanho;
        if (ritmada) {
            // Bytes whose time on the line has begun.
            const auto decorrido = Relogio::now() - inicio;
            ate = std::min(tamanho, static_cast<std::size_t>(decorrido / kTempoByte) + 1);
        }
        if (ate > enviados) {
            const ssize_t escritos = ::write(mestre_, bytes + enviados, ate - enviados);
            if (escritos > 0) {
                enviados += static_cast<std::size_t>(escritos);
                bytesEnviados_ += static_cast<std::uint64_t>(escritos);
                continue;
            }
            if (escritos < 0 && errno != EAGAIN && errno != EINTR)
                return;
            pollfd p[2] = {{mestre_, POLLOUT, 0}, {acordar_[0], POLLIN, 0}};
            ::poll(p, 2, 10);
            continue;
        }
        if (!Dorme(inicio + kTempoByte * static_cast<long>(enviados)))
            return;
    }
}
