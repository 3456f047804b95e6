#include "users/acesso.h"

#include "platform/application.h"
#include "state/registro.h"
#include "users/arquivousuarios.h"
#include "users/formusu.h"
#include "users/senhausdlg.h"

#include <QString>

#include <memory>
#include <vector>

namespace {

struct NivelAcesso {
    int nivel;
    TPermissoesAcesso direito;
};

// Each access level asks for one right.
constexpr NivelAcesso kNiveisAcesso[] = {
    {1, paBasicas},
    {2, paRamal},
    {3, paGerais},
    {4, paUsuarios},
};

// Grants every right whatever the users file holds.
const QString kSenhaMestra = QStringLiteral("QUINTALVO");
constexpr int kTentativas = 3;

struct Candidato {
    QString senha; // in capitals
    TPermissoesAcesso direitos;
};

// Only the letters a to z become capitals; accented letters stay as typed.
QString Maiusculas(QString texto)
{
    for (QChar& c : texto)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - ('a' - 'A'));
    return texto;
}

std::vector<Candidato> CandidatosDoRegistro()
{
    std::vector<Candidato> candidatos;
    for (int k = 1; k <= kMaxUsuarios; ++k) {
        const std::string senha = SenhaUsuario(RegistroUsuarios, k);
        if (!senha.empty())
            candidatos.push_back({Maiusculas(TextoGuardado(senha)),
                                  DireitosDoUsuario(RegistroUsuarios, k)});
    }
    return candidatos;
}

// The rights the typed text opens, or false when it opens none.
bool DireitosDaSenha(const std::vector<Candidato>& candidatos, const QString& digitada,
                     TPermissoesAcesso& direitos)
{
    const QString senha = Maiusculas(digitada);
    if (senha == kSenhaMestra) {
        direitos = kTodosDireitos;
        return true;
    }
    for (const Candidato& candidato : candidatos)
        if (candidato.senha == senha) {
            direitos = candidato.direitos;
            return true;
        }
    return false;
}

} // namespace

bool ValidaSenhaUsuario()
{
    LeArquivoUsuarios();
    DireitosUsuario = kTodosDireitos;
    const std::vector<Candidato> candidatos = CandidatosDoRegistro();
    if (candidatos.empty())
        return true;
    // The dialog made at start-up, or one of our own for this login only.
    std::unique_ptr<TSenhaUsDlg> proprio;
    TSenhaUsDlg* dialogo = SenhaUsDlg;
    if (!dialogo) {
        proprio = std::make_unique<TSenhaUsDlg>();
        dialogo = proprio.get();
    }
    for (int tentativa = 0; tentativa < kTentativas; ++tentativa) {
        SenhaDigitada.clear();
        if (dialogo->ShowModal() != mrOk)
            return false;
        TPermissoesAcesso direitos = 0;
        if (DireitosDaSenha(candidatos, SenhaDigitada, direitos)) {
            DireitosUsuario = direitos;
            return true;
        }
        Application->MessageBox(QStringLiteral("Acesso não autorizado."), QStringLiteral("Erro"),
                                MB_OK | MB_ICONSTOP);
    }
    Application->MessageBox(QStringLiteral("Programa será finalizado."), QStringLiteral("Informação"),
                            MB_OK | MB_ICONINFORMATION);
    return false;
}

bool TemAcesso(int nivel)
{
    for (const NivelAcesso& acesso : kNiveisAcesso)
        if (acesso.nivel == nivel && (DireitosUsuario & acesso.direito) != 0)
            return true;
    Application->MessageBox(QStringLiteral("Acesso negado"), QStringLiteral("PARE"), MB_OK | MB_ICONSTOP);
    return false;
}

void EditaUsuarios()
{
    if (!TemAcesso(4))
        return;
    TFormUsu form;
    form.ShowModal();
}
