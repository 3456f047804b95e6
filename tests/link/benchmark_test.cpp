// Benchmark, not run by default: reads every block of every item from the
// simulated exchange answering at 9600 bit/s, with the transfer window's own
// 50 ms tick and polling periods, and prints the time taken against the time
// the bytes need on the wire, and the processor time used.
//
//   QT_QPA_PLATFORM=offscreen tests/test_link --gtest_also_run_disabled_tests
//       --gtest_filter='*Benchmark*'
#include "image/layout.h"
#include "link/codecblocos.h"
#include "link/comunica.h"
#include "state/registro.h"
#include "tests/link/linhateste.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double Cpu(clockid_t relogio)
{
    timespec t{};
    clock_gettime(relogio, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

} // namespace

TEST(LinkBenchmark, DISABLED_ReadsAllBlocksOfAllItemsAt9600)
{
    LinhaDeTeste linha(50, 50);
    ASSERT_TRUE(linha.aberta);
    linha.central.PreencheAleatorio(1);
    linha.central.VelocidadeLinha(true);
    std::vector<std::uint8_t> blocos = {36}; // the probe first, as a transfer does
    for (int item = 1; item <= 29; ++item)
        for (std::uint8_t b : BlocosDaTransferencia(item, false))
            blocos.push_back(b);

    std::array<std::uint8_t, kTamanhoImagem> imagem{};
    Imagem = imagem.data();
    const double cpuPrograma = Cpu(CLOCK_THREAD_CPUTIME_ID);
    const double cpuProcesso = Cpu(CLOCK_PROCESS_CPUTIME_ID);
    QElapsedTimer relogio;
    relogio.start();
    for (std::uint8_t b : blocos) {
        ASSERT_TRUE(LeBloco(b)) << "block " << int(b);
        GuardaBlocoRecebido(b);
    }
    const double parede = relogio.elapsed() / 1000.0;
    const double cpu = Cpu(CLOCK_THREAD_CPUTIME_ID) - cpuPrograma;
    const double cpuTotal = Cpu(CLOCK_PROCESS_CPUTIME_ID) - cpuProcesso;
    Imagem = nullptr;

    const std::uint64_t bytes = linha.central.BytesRecebidos() + linha.central.BytesEnviados();
    const double fio = bytes * 10.0 / 9600.0;
    std::printf("blocks %zu, bytes on the line %llu\n", blocos.size(), static_cast<unsigned long long>(bytes));
    std::printf("wall time %.2f s, wire time %.2f s (%.0f%%)\n", parede, fio, 100.0 * parede / fio);
    std::printf("CPU time: program thread %.3f s (%.1f%% of wall), whole process %.3f s\n", cpu,
                100.0 * cpu / parede, cpuTotal);
}
