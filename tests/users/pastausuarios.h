#pragma once
// A program directory of its own for each test, with the users record in
// memory back at its start value.
#include "state/registro.h"
#include "users/arquivousuarios.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

struct UsuarioTeste {
    int numero;
    std::string nome; // cp1252
    std::string senha;
    TPermissoesAcesso direitos;
};

class PastaUsuarios : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pasta.isValid());
        DiretorioPrograma = pasta.path();
        RegistroUsuarios = {};
        DireitosUsuario = 0;
    }

    // Writes a users file holding these users, as the program writes it.
    void GravaUsuarios(const std::vector<UsuarioTeste>& usuarios)
    {
        RegistroUsuarios = {};
        for (const UsuarioTeste& u : usuarios) {
            PoeNomeUsuario(RegistroUsuarios, u.numero, u.nome);
            PoeSenhaUsuario(RegistroUsuarios, u.numero, u.senha);
            PoeDireitosDoUsuario(RegistroUsuarios, u.numero, u.direitos);
        }
        ASSERT_TRUE(GravaRegistroUsuarios());
        RegistroUsuarios = {};
    }

    QByteArray Arquivo() const
    {
        QFile arquivo(CaminhoArquivoUsuarios());
        return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
    }

    void PoeArquivo(const QByteArray& dados) const
    {
        QFile arquivo(CaminhoArquivoUsuarios());
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
        arquivo.write(dados);
    }

    QTemporaryDir pasta;
};
