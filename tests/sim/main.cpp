// The device simulator on its own: a Modbus TCP server on 127.0.0.1 and/or a Modbus RTU
// device on a pseudo-terminal, logging every frame to stderr until interrupted.
//
//   ludra_sim [--tcp PORT] [--rtu] [--node N] [--baud B] [--record-ms MS]
//             [--fault NAME [COUNT [MS]]]
// A running program moves its counter one record every --record-ms milliseconds (100).
#include "sim/Simulatore.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t fine = 0;

void interrotto(int) { fine = 1; }

int uso()
{
    std::fprintf(stderr,
                 "usage: ludra_sim [--tcp PORT] [--rtu] [--node N] [--baud B] [--record-ms MS]\n"
                 "                 [--fault NAME [COUNT [MS]]]\n"
                 "faults: noreply delay crclow crchigh node function exception short long\n"
                 "        pieces late disconnect\n");
    return 2;
}

bool guastoDaNome(const char* nome, ludra::sim::Guasto& g)
{
    using ludra::sim::Guasto;
    static const struct {
        const char* nome;
        Guasto g;
    } elenco[] = {{"noreply", Guasto::NessunaRisposta}, {"delay", Guasto::Ritardo},
                  {"crclow", Guasto::CrcBassoErrato},   {"crchigh", Guasto::CrcAltoErrato},
                  {"node", Guasto::NodoErrato},         {"function", Guasto::FunzioneErrata},
                  {"exception", Guasto::Eccezione},     {"short", Guasto::RispostaCorta},
                  {"long", Guasto::RispostaLunga},      {"pieces", Guasto::RispostaAPezzi},
                  {"late", Guasto::RispostaTardiva},    {"disconnect", Guasto::Disconnessione}};
    for (const auto& e : elenco)
        if (std::strcmp(e.nome, nome) == 0) {
            g = e.g;
            return true;
        }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    int portaTcp = -1;
    bool rtu = false;
    ludra::sim::Simulatore tcp;
    ludra::sim::Simulatore seriale;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--tcp" && i + 1 < argc) {
            portaTcp = std::atoi(argv[++i]);
        } else if (a == "--rtu") {
            rtu = true;
        } else if (a == "--node" && i + 1 < argc) {
            const auto nodo = ludra::sim::Byte(std::atoi(argv[++i]));
            tcp.setNodo(nodo);
            seriale.setNodo(nodo);
        } else if (a == "--record-ms" && i + 1 < argc) {
            const int ms = std::atoi(argv[++i]);
            tcp.setAvanzamento(ludra::sim::Avanzamento::TempoReale, ms);
            seriale.setAvanzamento(ludra::sim::Avanzamento::TempoReale, ms);
        } else if (a == "--baud" && i + 1 < argc) {
            seriale.setBaud(std::atoi(argv[++i]));
        } else if (a == "--fault" && i + 1 < argc) {
            ludra::sim::Guasto g;
            if (!guastoDaNome(argv[++i], g))
                return uso();
            int volte = -1, ms = 20;
            if (i + 1 < argc && argv[i + 1][0] != '-')
                volte = std::atoi(argv[++i]);
            if (i + 1 < argc && argv[i + 1][0] != '-')
                ms = std::atoi(argv[++i]);
            tcp.impostaGuasto(g, volte, ms);
            seriale.impostaGuasto(g, volte, ms);
        } else {
            return uso();
        }
    }
    if (portaTcp < 0 && !rtu)
        return uso();
    std::signal(SIGINT, interrotto);
    std::signal(SIGTERM, interrotto);
    if (portaTcp >= 0) {
        tcp.setLogSuStderr(true);
        const auto porta = tcp.avviaTcp(std::uint16_t(portaTcp));
        if (!porta) {
            std::fprintf(stderr, "cannot listen on 127.0.0.1:%d\n", portaTcp);
            return 1;
        }
        std::printf("tcp 127.0.0.1:%u\n", unsigned(porta));
    }
    if (rtu) {
        seriale.setLogSuStderr(true);
        const std::string percorso = seriale.avviaRtu();
        if (percorso.empty()) {
            std::fprintf(stderr, "cannot open a pseudo-terminal\n");
            return 1;
        }
        std::printf("rtu %s\n", percorso.c_str());
    }
    std::fflush(stdout);
    while (!fine)
        ::pause();
    return 0;
}
