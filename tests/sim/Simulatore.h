#pragma once
// A Modbus device for the tests and the benchmarks: a Modbus TCP server on 127.0.0.1
// and a Modbus RTU device on a pseudo-terminal, answering from its own thread so it
// keeps answering while the application waits in its event loop.
//
// Registers 0 to 1024 form one space for reads (3, 4, 23) and writes (6, 16, 23); a
// function 6 write to address 255 is a broadcast, carried out and not answered;
// coils 0 to 1024 (1, 5, 15); a controller memory of 64 KiB reached with function 20
// (sub-code 1 reads the program image, byte k at memory 512 + k; 2 reads memory; 4
// writes it). Every frame in and out goes to a timestamped log. Faults can be injected
// into the next replies, and the RTU side can deliver its bytes at a chosen baud rate.
//
// It also runs the downloaded program the way the controller's debugger sees it:
// register 0 takes the commands (255 run, 90 run to break, 100 halt or step, 252 stop),
// register 13 holds the index of the command record executing. The counter walks the
// image's program records (their count is byte 0 of the image), wrapping round; run to
// break halts on a record whose break flag (byte 9) is set and writes 100 into
// register 0. Memory 19 holds the debug-mode byte, "U" (release) at start.
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ludra::sim {

using Byte = std::uint8_t;
using Trama = std::vector<Byte>;

enum class Guasto {
    Nessuno,
    NessunaRisposta,     // the request is lost
    Ritardo,             // the reply leaves after the given milliseconds
    CrcBassoErrato,      // RTU: checksum low byte wrong
    CrcAltoErrato,       // RTU: checksum high byte wrong
    NodoErrato,          // the reply carries another address
    FunzioneErrata,      // the reply carries another function code
    Eccezione,           // an exception reply (code 4, device failure)
    RispostaCorta,       // a well-formed reply with half the data asked for
    RispostaLunga,       // four bytes more than the reply says it holds
    RispostaAPezzi,      // the reply in three pieces, the given milliseconds apart
    RispostaTardiva,     // the reply comes only together with the next request's
    Disconnessione,      // TCP: the connection is closed instead of a reply
    Inondazione,         // the reply, then 256 KiB of 0xFF: more than a link keeps unread
};

const char* nomeGuasto(Guasto g);

// How the program counter moves while the program runs: with the clock (one record per
// period), or one record per request received, so that tests need no clock.
enum class Avanzamento { TempoReale, PerRichiesta };

// Where the simulated program stands.
enum class StatoProgramma { Fermo, InEsecuzione, AllaPausa };

// CRC-16/MODBUS of the bytes, as it travels: low byte, high byte.
std::array<Byte, 2> crc16(const Byte* dati, std::size_t n);

class Simulatore {
public:
    Simulatore();
    ~Simulatore();
    Simulatore(const Simulatore&) = delete;
    Simulatore& operator=(const Simulatore&) = delete;

    // Listens on 127.0.0.1; port 0 picks a free one. Returns the port, 0 on failure.
    std::uint16_t avviaTcp(std::uint16_t porta = 0);
    // Opens a pseudo-terminal; returns the device path the link opens, empty on failure.
    std::string avviaRtu();
    // Stops the thread and closes everything.
    void ferma();

    void setNodo(Byte nodo);
    // RTU bytes at this rate, 10 bits per character (the request too takes its wire
    // time before the reply starts); 0 delivers at once.
    void setBaud(int baud);
    // TCP: the length field of every reply header is off by this many bytes, as some
    // devices and gateways send it.
    void setScartoLunghezzaTcp(int scarto);
    // The next `volte` replies get the fault (-1: until another fault is set).
    void impostaGuasto(Guasto guasto, int volte = 1, int millisecondi = 20);
    // The one reply after the next `risposte` good ones gets the fault.
    void impostaGuastoDopo(int risposte, Guasto guasto);

    void setAvanzamento(Avanzamento modo, int msPerRecord = 100);
    StatoProgramma statoProgramma();
    // The commands register 0 received, in order.
    std::vector<std::uint16_t> comandi();

    std::uint16_t registro(int indice);
    void setRegistro(int indice, std::uint16_t valore);
    bool coil(int indice);
    Byte memoria(int indirizzo);
    void setMemoria(int indirizzo, Byte valore);

    // The log lines so far ("hh:mm:ss.mmm TCP RX 0A 04 ..."); also echoed to stderr
    // when asked.
    std::vector<std::string> log();
    void setLogSuStderr(bool si) { suStderr_ = si; }
    // The raw bytes received on either side, in order (TCP headers included).
    std::vector<Trama> ricevute();
    int richieste() const { return richieste_.load(); }

    // The reply a device gives to one request (address on, no checksum); empty for
    // none (a broadcast). Used by the thread; public so the framing can be tested.
    Trama elabora(const Trama& richiesta);

private:
    struct Uscita;
    struct Connessione;
    void ciclo();
    void registra(const std::string& canale, const char* verso, const Byte* b, std::size_t n);
    void riceviTcp(Connessione& c);
    void riceviRtu(std::int64_t adesso);
    void rispondi(Connessione* c, const Trama& richiesta, bool rtu, std::int64_t arrivo);
    void sveglia();
    // With the mutex held.
    void avanzaProgramma();
    bool passoProgramma();
    void eseguiComando(std::uint16_t comando);

    std::mutex mutex_;
    std::array<std::uint16_t, 1025> registri_{};
    std::array<bool, 1025> coils_{};
    std::vector<Byte> memoria_;
    Byte nodo_ = 10;
    int baud_ = 0;
    int scartoLunghezza_ = 0;
    Guasto guasto_ = Guasto::Nessuno;
    int volte_ = 0;
    int millisecondi_ = 20;
    int dopo_ = 0;
    Avanzamento avanzamento_ = Avanzamento::TempoReale;
    std::int64_t periodoNs_ = 100'000'000;
    StatoProgramma stato_ = StatoProgramma::Fermo;
    bool versoBreak_ = false;
    std::int64_t ultimoPasso_ = 0;
    std::vector<std::uint16_t> comandi_;
    std::vector<std::string> log_;
    std::vector<Trama> ricevute_;
    std::atomic<bool> suStderr_{false};
    std::atomic<int> richieste_{0};

    // Owned by the thread once it runs.
    std::vector<Connessione*> connessioni_;
    std::vector<Uscita*> uscite_;
    Trama inTcpTardiva_;
    Trama rtuIngresso_;
    std::int64_t rtuUltimoByte_ = 0;
    Trama rtuTardiva_;
    int ascolto_ = -1;
    int master_ = -1;
    int slave_ = -1;
    int sveglia_[2] = {-1, -1};
    std::atomic<bool> ferma_{false};
    std::thread thread_;
};

// Two pseudo-terminals joined back to back, like a null-modem cable: what one side's
// program writes, the other side's program reads.
class CoppiaPty {
public:
    CoppiaPty();
    ~CoppiaPty();
    bool valida() const { return !percorsoA_.empty() && !percorsoB_.empty(); }
    const std::string& percorsoA() const { return percorsoA_; }
    const std::string& percorsoB() const { return percorsoB_; }

private:
    void ciclo();
    int masterA_ = -1, slaveA_ = -1, masterB_ = -1, slaveB_ = -1;
    int sveglia_[2] = {-1, -1};
    std::string percorsoA_, percorsoB_;
    std::thread thread_;
};

} // namespace ludra::sim
