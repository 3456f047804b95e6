#pragma once
// The transfer window: the user ticks programming items and receives them
// from the exchange into the image, or transmits them from the image to the
// exchange, block by block, with a status per item and a progress gauge.
// Created at start-up and kept for the whole run.
#include "image/itens.h"
#include "link/codecblocos.h"
#include "platform/forms.h"

#include <QString>

#include <array>
#include <cstdint>

class QProgressBar;
class QTimer;
class TCheckBox;
class TGroupBox;
class TLabel;
class TSerialPortDriver;

class TFormComun : public TForm {
    Q_OBJECT
public:
    explicit TFormComun(QWidget* owner = nullptr);
    ~TFormComun() override;

    // Controls. CB and LP are indexed by item number; items without a box
    // (17, 18, 20, 22, 25, 26) hold null.
    TGroupBox* GroupBox1 = nullptr;
    std::array<TCheckBox*, kUltimoItem + 1> CB{};
    std::array<TLabel*, kUltimoItem + 1> LP{};
    TGroupBox* GroupBox2 = nullptr;
    QProgressBar* GaugeTXRX = nullptr;
    TButton* ButtonTudo = nullptr;
    TButton* ButtonNada = nullptr;
    TButton* BitBtn1 = nullptr;
    TButton* Button2 = nullptr;
    TButton* Button1 = nullptr;
    QTimer* TimerAtraso = nullptr;
    TSerialPortDriver* Com = nullptr;

    // Items to move, item n at index n; filled from the boxes before each
    // transfer.
    std::array<bool, kUltimoItem + 1> ItensSelecionados{};
    TConjuntoBlocos ConjuntoTransferencia;
    bool Transferindo = false;
    bool InterrompidoPeloUsuario = false;
    bool TransferenciaOk = false;
    bool SondaOk = false;

    // Handlers.
    void Button1Click();
    void Button2Click();
    void ButtonTudoClick();
    void ButtonNadaClick();
    void BitBtn1Click();
    void ComReceiveData(QObject* sender, const void* dataPtr, std::uint32_t dataSize);
    void TimerAtrasoTimer();

    // Routines of the selection and of the two sequences.
    void LeSelecao();
    void SelecionaBlocosItem(bool limpaAntes, int item);
    void MontaConjuntoBlocos();
    bool AlgumItemSelecionado() const;
    void MostraEstadoItem(const QString& texto, int item);
    void LimpaEstadoItens();
    void MarcaTodosItens(bool marca);
    void RecebeProgramacoes();
    void TransmiteProgramacoes();

protected:
    void FormActivate() override;
    void FormCloseQuery(bool& canClose) override;

private:
    void CriaControles();
    void IniciaTransferencia();
    void TerminaTransferencia();
    void VoltaAoRepouso();
    void SelecionaPorta(int porta);
    bool SondaCentral();
    void PreparaProgresso();
    void AvancaProgresso(int bloco);
    void ExecutaItens(bool transmitindo);
    bool TransfereItem(int item, bool transmitindo);
    bool MoveBloco(int bloco, bool transmitindo);
    void MostraMensagemFinal(bool transmitindo);
    bool Selecionado(int item) const;
    void MarcaSelecionado(int item);
};

// The one transfer window of the program, created at start-up.
extern TFormComun* FormComun;

// Directions of a transfer, as DirecaoTransferencia holds them.
constexpr std::uint8_t kDirecaoRecepcao = 0;
constexpr std::uint8_t kDirecaoTransmissao = 1;

// Shows the transfer window modally for one direction: its caption, the
// help context of the window and of BitBtn1, Button1 and Button2 follow the
// direction ("Recepção de programações", 4400; "Transmissão de
// programações", 4700), and DirecaoTransferencia is set. `janela` is
// FormComun in the program; any window with buttons of those names will do.
void MostraFormComun(TForm& janela, std::uint8_t direcao);
