#pragma once
// A simulated exchange on the far side of a pseudo-terminal, for the tests.
// It owns the master side, keeps its own 6610-byte image (blocks laid on it
// as they travel on the line: the clock in packed decimal, the area code
// high byte first), answers read requests, stores and acknowledges write
// frames, and misbehaves on request. It runs in a thread of its own, so the
// program under test stays single-threaded; its frames and FCS are built
// here from the line format, independently of the program's link code.
//
//   CentralSimulada central;
//   qputenv("TRIVANTO_COM2", central.CaminhoPorta().c_str()); // port 2 is it
//   central.InjetaFalha(CentralSimulada::Falha::BitInvertido, 1); // next reply
//
// Its clock: milliseconds of wall time, or (UsaTicks) the ticks that the
// test counts for the link's time-out. On ticks, replies are due a number of
// the link's own ticks after their request, and Ocupada tells the test to
// hold its next tick while the exchange still has something to do at this
// one, so that a busy machine cannot move a reply across the time-out.
#include <array>
#include <climits>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CentralSimulada {
public:
    enum class Falha {
        Nenhuma,
        SemResposta,       // the frame is lost on the line: a write is not
                           // stored, nothing is answered
        RespostaAtrasada,  // the reply leaves AtrasoResposta after its request;
                           // later requests are answered meanwhile
        BitInvertido,      // one bit of the reply flipped
        ByteOmitido,       // one byte of the reply left out
        BytesExtras,       // three bytes more after the reply
        ConfirmacaoErrada, // a write is refused (NAK in place of ACK), not stored
        OutroBloco,        // a read is answered, well formed, for the next block
                           // number (with that block's data when it has the
                           // same size)
        RespostaDuplicada, // the reply goes out twice, back to back
        FcsErrada,         // the reply's last byte (its FCS) flipped
    };

    static constexpr int kTamanhoImagem = 6610;
    static constexpr std::uint8_t kAck = 0x06;
    static constexpr std::uint8_t kNak = 0x15;

    CentralSimulada();
    ~CentralSimulada();
    CentralSimulada(const CentralSimulada&) = delete;
    CentralSimulada& operator=(const CentralSimulada&) = delete;

    // The device path of the program's side.
    std::string CaminhoPorta() const { return caminho_; }

    // Data bytes of a block as the exchange knows it (0 for an unknown one).
    static std::uint16_t Tamanho(int bloco);
    // Every block number the exchange knows, ascending.
    static std::vector<int> BlocosConhecidos();
    // The line's FCS of a run of bytes (CRC-16/X-25, complemented).
    static std::uint16_t Fcs(const std::uint8_t* bytes, std::size_t tamanho);

    std::array<std::uint8_t, kTamanhoImagem> Imagem() const;
    void DefineImagem(const std::array<std::uint8_t, kTamanhoImagem>& imagem);
    // A block's data as the exchange sends it, and setting it as a write does.
    std::vector<std::uint8_t> Bloco(int bloco) const;
    void DefineBloco(int bloco, const std::vector<std::uint8_t>& dados);
    // Fills the image and every block's bytes outside it from a seed.
    void PreencheAleatorio(unsigned semente);

    // Adds a fault for the next `vezes` replies (-1: all) to one block or to
    // any (-1). Faults added earlier are tried first.
    void InjetaFalha(Falha falha, int vezes = -1, int bloco = -1);
    // Counts its time in the ticks given by AvancaTick instead of
    // milliseconds.
    void UsaTicks(bool ticks);
    void AvancaTick();
    // Something to do at the present tick, given how many bytes the
    // program's port has sent to the exchange and received from it: a frame
    // of the program not yet handled (or still on its way through the
    // pseudo-terminal), a reply due and not sent, or bytes sent that the
    // program has not received yet.
    bool Ocupada(std::uint64_t programaEnviou, std::uint64_t programaRecebeu) const;
    // When a late reply leaves, counted from its request, and when every
    // other reply leaves (0: at once); in the exchange's time unit.
    void AtrasoResposta(int unidades);
    void LatenciaResposta(int unidades);
    // Never answers the probe read of block 36.
    void IgnoraBloco36(bool ignora);
    // Bytes take their time on the line: 9600 bit/s, 10 bits a byte.
    void VelocidadeLinha(bool ritmada);
    // Stops reading the line (the program's output then backs up).
    void PausaLeitura(bool pausada);

    int PedidosLeitura(int bloco) const;
    int Escritas(int bloco) const;       // write frames received for the block
    int QuadrosInvalidos() const;        // frames whose FCS or length was wrong
    std::vector<std::uint8_t> UltimoQuadro() const; // last good frame received
    std::uint64_t BytesRecebidos() const { return bytesRecebidos_; }
    std::uint64_t BytesEnviados() const { return bytesEnviados_; }

    // Waits (at most about a second) until everything the program sent was
    // handled and every reply left.
    void AguardaOcioso();

private:
    struct Trecho {
        int dado;
        int imagem;
        int tamanho;
    };
    static const std::vector<Trecho>& Trechos(int bloco);

    void Executa();
    void ProcessaEntrada();
    void AtendeQuadro(const std::vector<std::uint8_t>& quadro);
    void Responde(std::vector<std::uint8_t> resposta, Falha falha);
    Falha ConsomeFalha(int bloco);
    std::vector<std::uint8_t> MontaQuadro(std::uint8_t comando, std::uint8_t bloco,
                                          const std::vector<std::uint8_t>& dados) const;
    std::vector<std::uint8_t> BlocoSemTrava(int bloco) const;
    void GravaBlocoSemTrava(int bloco, const std::vector<std::uint8_t>& dados);
    void Escreve(const std::uint8_t* bytes, std::size_t tamanho);
    bool Dorme(std::chrono::steady_clock::time_point ate);
    std::int64_t Agora() const;
    void EnviaDevidas();
    void AtualizaProximaDevida();
    int EsperaAteProximaDevida() const;
    void Acorda();

    int mestre_ = -1;
    int escravo_ = -1; // held open so the line stays up between the program's opens
    int acordar_[2] = {-1, -1};
    std::string caminho_;
    std::thread thread_;
    std::atomic<bool> rodando_{true};
    std::atomic<bool> pausada_{false};
    std::atomic<bool> ocupada_{false};
    std::atomic<std::uint64_t> bytesRecebidos_{0};
    std::atomic<std::uint64_t> bytesEnviados_{0};

    mutable std::mutex trava_;
    std::array<std::uint8_t, kTamanhoImagem> imagem_{};
    std::array<std::vector<std::uint8_t>, 256> sobras_; // block bytes outside the image
    struct RegraFalha {
        Falha falha;
        int vezes;
        int bloco;
    };
    std::vector<RegraFalha> falhas_;
    int atraso_ = 500;
    int latencia_ = 0;
    bool ignora36_ = false;
    bool ritmada_ = false;
    std::array<int, 256> pedidos_{};
    std::array<int, 256> escritas_{};
    int invalidos_ = 0;
    std::vector<std::uint8_t> ultimoQuadro_;

    std::atomic<bool> usaTicks_{false};
    std::atomic<std::int64_t> tick_{0};
    const std::chrono::steady_clock::time_point inicio_ = std::chrono::steady_clock::now();
    struct RespostaPendente {
        std::int64_t quando; // in the exchange's time unit
        std::vector<std::uint8_t> bytes;
    };
    std::vector<RespostaPendente> pendentes_; // thread only
    static constexpr std::int64_t kNunca = INT64_MAX;
    std::atomic<std::int64_t> proximaDevida_{kNunca};
    std::vector<std::uint8_t> entrada_;
    std::chrono::steady_clock::time_point inicioQuadro_{};
};
