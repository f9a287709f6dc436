#include "sim/Simulatore.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace ludra::sim {
namespace {

std::int64_t oraNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

constexpr std::int64_t kMs = 1'000'000;

int parola(const Trama& t, std::size_t i) { return (int(t[i]) << 8) | t[i + 1]; }

void nonBloccante(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK); }

void crudo(int fd)
{
    termios t {};
    if (::tcgetattr(fd, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
    }
}

std::string esadecimale(const Byte* b, std::size_t n)
{
    std::string s;
    char cifre[4];
    for (std::size_t i = 0; i < n; ++i) {
        std::snprintf(cifre, sizeof cifre, "%02X ", b[i]);
        s += cifre;
    }
    if (!s.empty())
        s.pop_back();
    return s;
}

// How long an RTU request is, from its first bytes: 0 while that cannot be told yet, -1
// for a function whose length its bytes do not give (it then ends on line silence).
int lunghezzaRichiestaRtu(const Trama& b)
{
    if (b.size() < 2)
        return 0;
    switch (b[1]) {
    case 1: case 2: case 3: case 4: case 5: case 6:
        return 8;
    case 15: case 16:
        return b.size() < 7 ? 0 : 9 + b[6];
    case 23:
        return b.size() < 11 ? 0 : 13 + b[10];
    case 20:
        if (b.size() < 7)
            return 0;
        return b[2] == 4 ? 9 + b[6] : 9;
    default:
        return -1;
    }
}

Byte funzioneSimile(Byte f)
{
    switch (f) {
    case 1: return 2;
    case 2: return 1;
    case 3: return 4;
    case 4: return 3;
    case 5: return 6;
    case 6: return 5;
    case 15: return 16;
    case 16: return 15;
    case 23: return 3;
    default: return Byte(f + 1);
    }
}

} // namespace

const char* nomeGuasto(Guasto g)
{
    switch (g) {
    case Guasto::Nessuno: return "none";
    case Guasto::NessunaRisposta: return "no reply";
    case Guasto::Ritardo: return "delayed reply";
    case Guasto::CrcBassoErrato: return "bad CRC low byte";
    case Guasto::CrcAltoErrato: return "bad CRC high byte";
    case Guasto::NodoErrato: return "wrong node";
    case Guasto::FunzioneErrata: return "wrong function";
    case Guasto::Eccezione: return "exception";
    case Guasto::RispostaCorta: return "short reply";
    case Guasto::RispostaLunga: return "over-long reply";
    case Guasto::RispostaAPezzi: return "reply in pieces";
    case Guasto::RispostaTardiva: return "late reply";
    case Guasto::Disconnessione: return "disconnect";
    case Guasto::Inondazione: return "flood";
    }
    return "?";
}

std::array<Byte, 2> crc16(const Byte* dati, std::size_t n)
{
    unsigned crc = 0xFFFF;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= dati[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1U) ? ((crc >> 1) ^ 0xA001U) : (crc >> 1);
    }
    return {Byte(crc & 0xFF), Byte(crc >> 8)};
}

struct Simulatore::Uscita {
    int fd = -1;
    std::string canale;
    Trama byte;
    std::size_t inviati = 0;
    std::int64_t prossimo = 0;     // when the next byte (or all of them) may leave
    std::int64_t passo = 0;        // ns per byte; 0 sends at once
    bool registrata = false;
};

struct Simulatore::Connessione {
    int fd = -1;
    Trama ingresso;
    Trama tardiva;
};

namespace {

constexpr int kBaseProgramma = 512;
constexpr int kIndirizzoModoDebug = 19;
constexpr int kRegistroComando = 0;
constexpr int kRegistroContatore = 13;

} // namespace

Simulatore::Simulatore() : memoria_(65536, 0)
{
    memoria_[kIndirizzoModoDebug] = 'U';
    if (::pipe(sveglia_) == 0) {
        nonBloccante(sveglia_[0]);
        nonBloccante(sveglia_[1]);
    }
}

Simulatore::~Simulatore()
{
    ferma();
    ::close(sveglia_[0]);
    ::close(sveglia_[1]);
}

void Simulatore::sveglia()
{
    const char c = 1;
    [[maybe_unused]] const auto r = ::write(sveglia_[1], &c, 1);
}

std::uint16_t Simulatore::avviaTcp(std::uint16_t porta)
{
    if (thread_.joinable() || ascolto_ >= 0)
        return 0;
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    const int si = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &si, sizeof si);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_port = htons(porta);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t l = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 8) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &l) != 0) {
        ::close(fd);
        return 0;
    }
    nonBloccante(fd);
    ascolto_ = fd;
    thread_ = std::thread([this] { ciclo(); });
    return ntohs(a.sin_port);
}

std::string Simulatore::avviaRtu()
{
    if (thread_.joinable() || master_ >= 0)
        return {};
    char nome[256] = {};
    if (::openpty(&master_, &slave_, nome, nullptr, nullptr) != 0)
        return {};
    // Raw from the start: no echo, no line editing, before anyone opens the device.
    crudo(slave_);
    nonBloccante(master_);
    thread_ = std::thread([this] { ciclo(); });
    return nome;
}

void Simulatore::ferma()
{
    if (thread_.joinable()) {
        ferma_ = true;
        sveglia();
        thread_.join();
    }
    for (Connessione* c : connessioni_) {
        ::close(c->fd);
        delete c;
    }
    connessioni_.clear();
    for (Uscita* u : uscite_)
        delete u;
    uscite_.clear();
    for (int* fd : {&ascolto_, &master_, &slave_}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

void Simulatore::setNodo(Byte nodo)
{
    std::lock_guard l(mutex_);
    nodo_ = nodo;
}

void Simulatore::setBaud(int baud)
{
    std::lock_guard l(mutex_);
    baud_ = baud;
}

void Simulatore::setScartoLunghezzaTcp(int scarto)
{
    std::lock_guard l(mutex_);
    scartoLunghezza_ = scarto;
}

void Simulatore::impostaGuasto(Guasto guasto, int volte, int millisecondi)
{
    std::lock_guard l(mutex_);
    guasto_ = guasto;
    volte_ = guasto == Guasto::Nessuno ? 0 : volte;
    millisecondi_ = millisecondi;
    dopo_ = 0;
}

void Simulatore::impostaGuastoDopo(int risposte, Guasto guasto)
{
    std::lock_guard l(mutex_);
    guasto_ = guasto;
    volte_ = guasto == Guasto::Nessuno ? 0 : 1;
    dopo_ = risposte;
}

void Simulatore::setAvanzamento(Avanzamento modo, int msPerRecord)
{
    std::lock_guard l(mutex_);
    avanzamento_ = modo;
    periodoNs_ = std::max(1, msPerRecord) * kMs;
    ultimoPasso_ = oraNs();
}

StatoProgramma Simulatore::statoProgramma()
{
    std::lock_guard l(mutex_);
    return stato_;
}

std::vector<std::uint16_t> Simulatore::comandi()
{
    std::lock_guard l(mutex_);
    return comandi_;
}

// One record on; true when it stopped at a breakpoint.
bool Simulatore::passoProgramma()
{
    const int record = memoria_[kBaseProgramma];
    if (record == 0)
        return false;
    const int pc = (registri_[kRegistroContatore] + 1) % record;
    registri_[kRegistroContatore] = std::uint16_t(pc);
    const int flag = kBaseProgramma + 4 + 10 * pc + 9;
    if (versoBreak_ && memoria_[std::size_t(flag)] != 0) {
        stato_ = StatoProgramma::AllaPausa;
        versoBreak_ = false;
        registri_[kRegistroComando] = 100;
        return true;
    }
    return false;
}

void Simulatore::avanzaProgramma()
{
    if (stato_ != StatoProgramma::InEsecuzione)
        return;
    if (avanzamento_ == Avanzamento::PerRichiesta) {
        passoProgramma();
        return;
    }
    const std::int64_t adesso = oraNs();
    // After a long idle spell two rounds of the largest program are walk enough.
    std::int64_t passi = (adesso - ultimoPasso_) / periodoNs_;
    ultimoPasso_ += passi * periodoNs_;
    passi = std::min<std::int64_t>(passi, 512);
    for (std::int64_t i = 0; i < passi; ++i)
        if (passoProgramma())
            break;
}

void Simulatore::eseguiComando(std::uint16_t comando)
{
    comandi_.push_back(comando);
    switch (comando) {
    case 255:
    case 90:
        stato_ = StatoProgramma::InEsecuzione;
        versoBreak_ = comando == 90;
        ultimoPasso_ = oraNs();
        break;
    case 100:
        if (stato_ == StatoProgramma::AllaPausa)
            passoProgramma();
        stato_ = StatoProgramma::AllaPausa;
        versoBreak_ = false;
        break;
    case 252:
        stato_ = StatoProgramma::Fermo;
        versoBreak_ = false;
        registri_[kRegistroContatore] = 0;
        break;
    default:
        break;
    }
}

std::uint16_t Simulatore::registro(int i)
{
    std::lock_guard l(mutex_);
    return registri_.at(std::size_t(i));
}

void Simulatore::setRegistro(int i, std::uint16_t v)
{
    std::lock_guard l(mutex_);
    registri_.at(std::size_t(i)) = v;
}

bool Simulatore::coil(int i)
{
    std::lock_guard l(mutex_);
    return coils_.at(std::size_t(i));
}

Byte Simulatore::memoria(int a)
{
    std::lock_guard l(mutex_);
    return memoria_.at(std::size_t(a));
}

void Simulatore::setMemoria(int a, Byte v)
{
    std::lock_guard l(mutex_);
    memoria_.at(std::size_t(a)) = v;
}

std::vector<std::string> Simulatore::log()
{
    std::lock_guard l(mutex_);
    return log_;
}

std::vector<Trama> Simulatore::ricevute()
{
    std::lock_guard l(mutex_);
    return ricevute_;
}

void Simulatore::registra(const std::string& canale, const char* verso, const Byte* b,
                          std::size_t n)
{
    const auto adesso = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(adesso);
    const int ms = int(std::chrono::duration_cast<std::chrono::milliseconds>(
                           adesso.time_since_epoch())
                           .count() %
                       1000);
    std::tm tm {};
    ::localtime_r(&t, &tm);
    char ora[32];
    std::snprintf(ora, sizeof ora, "%02d:%02d:%02d.%03d", tm.tm_hour, tm.tm_min, tm.tm_sec, ms);
    std::string riga = std::string(ora) + " " + canale + " " + verso;
    if (b) {
        riga += ' ';
        riga += esadecimale(b, n);
    }
    if (suStderr_)
        std::fprintf(stderr, "%s\n", riga.c_str());
    std::lock_guard l(mutex_);
    log_.push_back(std::move(riga));
}

Trama Simulatore::elabora(const Trama& q)
{
    if (q.size() < 2)
        return {};
    const Byte unita = q[0];
    const Byte f = q[1];
    auto eccezione = [&](Byte codice) { return Trama{unita, Byte(f | 0x80), codice}; };
    std::lock_guard l(mutex_);
    avanzaProgramma();
    switch (f) {
    case 1: {
        if (q.size() != 6)
            return eccezione(3);
        const int inizio = parola(q, 2), n = parola(q, 4);
        if (n < 1 || n > 2000)
            return eccezione(3);
        if (inizio + n > 1025)
            return eccezione(2);
        Trama r{unita, f, Byte((n + 7) / 8)};
        r.resize(3 + std::size_t((n + 7) / 8), 0);
        for (int i = 0; i < n; ++i)
            if (coils_[std::size_t(inizio + i)])
                r[3 + std::size_t(i / 8)] |= Byte(1 << (i % 8));
        return r;
    }
    case 3: case 4: {
        if (q.size() != 6)
            return eccezione(3);
        const int inizio = parola(q, 2), n = parola(q, 4);
        if (n < 1 || n > 125)
            return eccezione(3);
        if (inizio + n > 1025)
            return eccezione(2);
        Trama r{unita, f, Byte(2 * n)};
        for (int i = 0; i < n; ++i) {
            r.push_back(Byte(registri_[std::size_t(inizio + i)] >> 8));
            r.push_back(Byte(registri_[std::size_t(inizio + i)] & 0xFF));
        }
        return r;
    }
    case 5: {
        if (q.size() != 6)
            return eccezione(3);
        const int a = parola(q, 2), v = parola(q, 4);
        if (v != 0xFF00 && v != 0)
            return eccezione(3);
        if (a > 1024)
            return eccezione(2);
        coils_[std::size_t(a)] = v == 0xFF00;
        return q;
    }
    case 6: {
        if (q.size() != 6)
            return eccezione(3);
        const int a = parola(q, 2);
        if (a > 1024)
            return eccezione(2);
        registri_[std::size_t(a)] = std::uint16_t(parola(q, 4));
        if (a == kRegistroComando)
            eseguiComando(registri_[kRegistroComando]);
        return q;
    }
    case 15: {
        if (q.size() < 7)
            return eccezione(3);
        const int inizio = parola(q, 2), n = parola(q, 4);
        if (n < 1 || n > 1968 || q[6] != (n + 7) / 8 || q.size() != 7U + q[6])
            return eccezione(3);
        if (inizio + n > 1025)
            return eccezione(2);
        for (int i = 0; i < n; ++i)
            coils_[std::size_t(inizio + i)] = (q[7 + std::size_t(i / 8)] >> (i % 8)) & 1;
        return Trama(q.begin(), q.begin() + 6);
    }
    case 16: {
        if (q.size() < 7)
            return eccezione(3);
        const int inizio = parola(q, 2), n = parola(q, 4);
        if (n < 1 || n > 123 || q[6] != 2 * n || q.size() != 7U + q[6])
            return eccezione(3);
        if (inizio + n > 1025)
            return eccezione(2);
        for (int i = 0; i < n; ++i)
            registri_[std::size_t(inizio + i)] = std::uint16_t(parola(q, 7 + 2 * std::size_t(i)));
        if (inizio == kRegistroComando)
            eseguiComando(registri_[kRegistroComando]);
        return Trama(q.begin(), q.begin() + 6);
    }
    case 23: {
        if (q.size() < 11)
            return eccezione(3);
        const int lInizio = parola(q, 2), lN = parola(q, 4);
        const int sInizio = parola(q, 6), sN = parola(q, 8);
        if (lN < 1 || lN > 125 || sN < 1 || sN > 121 || q[10] != 2 * sN ||
            q.size() != 11U + q[10])
            return eccezione(3);
        if (lInizio + lN > 1025 || sInizio + sN > 1025)
            return eccezione(2);
        for (int i = 0; i < sN; ++i)
            registri_[std::size_t(sInizio + i)] = std::uint16_t(parola(q, 11 + 2 * std::size_t(i)));
        if (sInizio == kRegistroComando)
            eseguiComando(registri_[kRegistroComando]);
        Trama r{unita, f, Byte(2 * lN)};
        for (int i = 0; i < lN; ++i) {
            r.push_back(Byte(registri_[std::size_t(lInizio + i)] >> 8));
            r.push_back(Byte(registri_[std::size_t(lInizio + i)] & 0xFF));
        }
        return r;
    }
    case 20: {
        if (q.size() < 7 || q[3] != 0)
            return eccezione(3);
        const int indirizzo = parola(q, 4), n = q[6];
        if (q[2] == 1 || q[2] == 2) {
            if (q.size() != 7)
                return eccezione(3);
            // The program image is kept from 512 on; sub-code 1 counts from there.
            const int base = q[2] == 1 ? 512 + indirizzo : indirizzo;
            if (base + n > 65536)
                return eccezione(2);
            Trama r{unita, f, Byte(n)};
            r.insert(r.end(), memoria_.begin() + base, memoria_.begin() + base + n);
            return r;
        }
        if (q[2] == 4) {
            if (q.size() != 7U + std::size_t(n))
                return eccezione(3);
            if (indirizzo + n > 65536)
                return eccezione(2);
            std::copy(q.begin() + 7, q.end(), memoria_.begin() + indirizzo);
            return Trama(q.begin(), q.begin() + 7);
        }
        return eccezione(1);
    }
    default:
        return eccezione(1);
    }
}

void Simulatore::rispondi(Connessione* c, const Trama& q, bool rtu, std::int64_t arrivo)
{
    ++richieste_;
    const std::string canale = rtu ? "RTU" : "TCP";
    Guasto g = Guasto::Nessuno;
    int ms = 0;
    int baud = 0;
    int scarto = 0;
    {
        std::lock_guard l(mutex_);
        if (dopo_ > 0) {
            --dopo_;
        } else if (volte_ != 0) {
            g = guasto_;
            if (volte_ > 0 && --volte_ == 0)
                guasto_ = Guasto::Nessuno;
        }
        ms = millisecondi_;
        baud = rtu ? baud_ : 0;
        scarto = scartoLunghezza_;
    }
    const Trama pdu = rtu ? Trama(q.begin(), q.end() - 2) : Trama(q.begin() + 6, q.end());
    if (g == Guasto::NessunaRisposta) {
        registra(canale, "fault: no reply", nullptr, 0);
        return;
    }
    if (g == Guasto::Disconnessione) {
        registra(canale, "fault: disconnect", nullptr, 0);
        if (c) {
            ::close(c->fd);
            for (Uscita* u : uscite_)
                if (u->fd == c->fd)
                    u->fd = -1;
            c->fd = -1;
        }
        return;
    }
    Trama r = elabora(pdu);
    // Register writes to address 255 are the devices' broadcast: taken, never answered.
    const bool diffusione = pdu.size() >= 2 && pdu[0] == 255 && pdu[1] == 6;
    if (r.empty() || (rtu && pdu[0] == 0) || diffusione)
        return;
    switch (g) {
    case Guasto::NodoErrato: r[0] = Byte(r[0] + 1); break;
    case Guasto::FunzioneErrata: r[1] = funzioneSimile(r[1]); break;
    case Guasto::Eccezione: r = Trama{r[0], Byte(pdu[1] | 0x80), 4}; break;
    case Guasto::RispostaCorta:
        if (r.size() > 3 && (r[1] <= 4 || r[1] == 20 || r[1] == 23) && !(r[1] == 20 && pdu[2] == 4)) {
            const std::size_t dati = (r.size() - 3) / 2;
            r.resize(3 + dati);
            r[2] = Byte(dati);
        } else {
            r.resize(r.size() > 4 ? 4 : r.size());
        }
        break;
    case Guasto::RispostaLunga: r.insert(r.end(), {0xDE, 0xAD, 0xBE, 0xEF}); break;
    default: break;
    }
    Trama trama;
    if (rtu) {
        trama = r;
        const auto crc = crc16(trama.data(), trama.size());
        trama.push_back(crc[0]);
        trama.push_back(crc[1]);
        if (g == Guasto::CrcBassoErrato)
            trama[trama.size() - 2] ^= 0x5A;
        if (g == Guasto::CrcAltoErrato)
            trama[trama.size() - 1] ^= 0x5A;
    } else {
        const auto annunciati = std::size_t(std::max(0, int(r.size()) + scarto));
        trama = {q[0], q[1], 0, 0, Byte(annunciati >> 8), Byte(annunciati & 0xFF)};
        trama.insert(trama.end(), r.begin(), r.end());
    }
    if (g == Guasto::Inondazione)
        trama.resize(trama.size() + 4 * 65536, 0xFF);
    const std::int64_t passo = baud > 0 ? 10'000'000'000LL / baud : 0;
    // On a paced line the request itself takes its wire time before the reply starts.
    std::int64_t base = std::max(oraNs(), arrivo + std::int64_t(q.size()) * passo);
    if (g == Guasto::Ritardo)
        base += ms * kMs;
    Trama& tardiva = rtu ? rtuTardiva_ : c->tardiva;
    if (g == Guasto::RispostaTardiva) {
        registra(canale, "fault: reply held until the next request", nullptr, 0);
        tardiva = trama;
        return;
    }
    if (!tardiva.empty()) {
        trama.insert(trama.begin(), tardiva.begin(), tardiva.end());
        tardiva.clear();
    }
    const int fd = rtu ? master_ : c->fd;
    std::vector<Trama> pezzi;
    if (g == Guasto::RispostaAPezzi && trama.size() >= 3) {
        const std::size_t terzo = trama.size() / 3;
        pezzi = {Trama(trama.begin(), trama.begin() + std::ptrdiff_t(terzo)),
                 Trama(trama.begin() + std::ptrdiff_t(terzo), trama.begin() + std::ptrdiff_t(2 * terzo)),
                 Trama(trama.begin() + std::ptrdiff_t(2 * terzo), trama.end())};
    } else {
        pezzi = {trama};
    }
    for (std::size_t i = 0; i < pezzi.size(); ++i) {
        auto* u = new Uscita;
        u->fd = fd;
        u->canale = canale;
        u->byte = std::move(pezzi[i]);
        u->prossimo = base + std::int64_t(i) * ms * kMs;
        u->passo = passo;
        uscite_.push_back(u);
    }
}

void Simulatore::riceviTcp(Connessione& c)
{
    Byte buf[4096];
    for (;;) {
        const ssize_t n = ::read(c.fd, buf, sizeof buf);
        if (n > 0) {
            c.ingresso.insert(c.ingresso.end(), buf, buf + n);
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
            registra("TCP", "client closed", nullptr, 0);
            ::close(c.fd);
            for (Uscita* u : uscite_)
                if (u->fd == c.fd)
                    u->fd = -1;
            c.fd = -1;
            return;
        }
        break;
    }
    const std::int64_t adesso = oraNs();
    while (c.fd >= 0 && c.ingresso.size() >= 6) {
        const std::size_t lunghezza = std::size_t(parola(c.ingresso, 4));
        if (lunghezza < 2 || lunghezza > 255) {
            registra("TCP", "RX bad header", c.ingresso.data(), c.ingresso.size());
            c.ingresso.clear();
            break;
        }
        if (c.ingresso.size() < 6 + lunghezza)
            break;
        const Trama q(c.ingresso.begin(), c.ingresso.begin() + std::ptrdiff_t(6 + lunghezza));
        c.ingresso.erase(c.ingresso.begin(), c.ingresso.begin() + std::ptrdiff_t(6 + lunghezza));
        registra("TCP", "RX", q.data(), q.size());
        {
            std::lock_guard l(mutex_);
            ricevute_.push_back(q);
        }
        rispondi(&c, q, false, adesso);
    }
}

void Simulatore::riceviRtu(std::int64_t adesso)
{
    Byte buf[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0)
            break;
        rtuIngresso_.insert(rtuIngresso_.end(), buf, buf + n);
        rtuUltimoByte_ = adesso;
    }
    Byte nodo;
    int baud;
    {
        std::lock_guard l(mutex_);
        nodo = nodo_;
        baud = baud_;
    }
    // Line silence ends a request whose length its bytes do not tell, and resynchronises
    // after garbage.
    const std::int64_t silenzio = std::max<std::int64_t>(5 * kMs, baud > 0 ? 35'000'000'000LL / baud : 0);
    for (;;) {
        if (rtuIngresso_.empty())
            return;
        int l = lunghezzaRichiestaRtu(rtuIngresso_);
        const bool zitto = adesso - rtuUltimoByte_ >= silenzio;
        if (l == 0 || (l > 0 && rtuIngresso_.size() < std::size_t(l))) {
            if (!zitto)
                return;
            l = int(rtuIngresso_.size());
        }
        if (l < 0) {
            if (!zitto)
                return;
            l = int(rtuIngresso_.size());
        }
        const Trama q(rtuIngresso_.begin(), rtuIngresso_.begin() + l);
        rtuIngresso_.erase(rtuIngresso_.begin(), rtuIngresso_.begin() + l);
        {
            std::lock_guard lk(mutex_);
            ricevute_.push_back(q);
        }
        const auto crc = q.size() >= 4 ? crc16(q.data(), q.size() - 2) : std::array<Byte, 2>{};
        if (q.size() < 4 || crc[0] != q[q.size() - 2] || crc[1] != q[q.size() - 1]) {
            registra("RTU", "RX bad frame", q.data(), q.size());
            rtuIngresso_.clear();
            return;
        }
        registra("RTU", "RX", q.data(), q.size());
        if (q[0] != nodo && q[0] != 0)
            continue;
        rispondi(nullptr, q, true, rtuUltimoByte_);
    }
}

void Simulatore::ciclo()
{
    while (!ferma_) {
        std::vector<pollfd> fds;
        fds.push_back({sveglia_[0], POLLIN, 0});
        if (ascolto_ >= 0)
            fds.push_back({ascolto_, POLLIN, 0});
        if (master_ >= 0)
            fds.push_back({master_, POLLIN, 0});
        for (Connessione* c : connessioni_)
            fds.push_back({c->fd, POLLIN, 0});
        std::int64_t adesso = oraNs();
        std::int64_t prossimo = adesso + 200 * kMs;
        for (Uscita* u : uscite_)
            prossimo = std::min(prossimo, u->prossimo);
        if (!rtuIngresso_.empty())
            prossimo = std::min(prossimo, rtuUltimoByte_ + 5 * kMs);
        const std::int64_t attesa = std::max<std::int64_t>(0, prossimo - adesso);
        timespec ts {time_t(attesa / 1'000'000'000), long(attesa % 1'000'000'000)};
        ::ppoll(fds.data(), fds.size(), &ts, nullptr);
        adesso = oraNs();
        for (const pollfd& p : fds) {
            if (!(p.revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            if (p.fd == sveglia_[0]) {
                char b[64];
                while (::read(sveglia_[0], b, sizeof b) > 0) {
                }
            } else if (p.fd == ascolto_) {
                const int fd = ::accept(ascolto_, nullptr, nullptr);
                if (fd >= 0) {
                    nonBloccante(fd);
                    const int si = 1;
                    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &si, sizeof si);
                    auto* c = new Connessione;
                    c->fd = fd;
                    connessioni_.push_back(c);
                    registra("TCP", "client connected", nullptr, 0);
                }
            } else if (p.fd == master_) {
                riceviRtu(adesso);
            } else {
                for (Connessione* c : connessioni_)
                    if (c->fd == p.fd)
                        riceviTcp(*c);
            }
        }
        if (!rtuIngresso_.empty())
            riceviRtu(oraNs());
        // Replies leave in order, one at a time per line.
        adesso = oraNs();
        std::vector<int> occupati;
        for (Uscita* u : uscite_) {
            if (u->fd < 0 || std::find(occupati.begin(), occupati.end(), u->fd) != occupati.end())
                continue;
            occupati.push_back(u->fd);
            if (adesso < u->prossimo)
                continue;
            if (!u->registrata) {
                registra(u->canale, "TX", u->byte.data(), u->byte.size());
                u->registrata = true;
            }
            std::size_t quanti = u->byte.size() - u->inviati;
            if (u->passo > 0)
                quanti = std::min<std::size_t>(quanti, std::size_t(1 + (adesso - u->prossimo) / u->passo));
            // A client gone in mid-reply (a flood's, most of all) is no signal ending the tests.
            const Byte* da = u->byte.data() + u->inviati;
            const ssize_t scritti = u->canale == "TCP" ? ::send(u->fd, da, quanti, MSG_NOSIGNAL)
                                                       : ::write(u->fd, da, quanti);
            if (scritti > 0) {
                u->inviati += std::size_t(scritti);
                u->prossimo += u->passo * scritti;
            } else if (errno != EAGAIN && errno != EINTR) {
                u->fd = -1;
            }
        }
        uscite_.erase(std::remove_if(uscite_.begin(), uscite_.end(),
                                     [](Uscita* u) {
                                         const bool finita = u->fd < 0 || u->inviati == u->byte.size();
                                         if (finita)
                                             delete u;
                                         return finita;
                                     }),
                      uscite_.end());
        connessioni_.erase(std::remove_if(connessioni_.begin(), connessioni_.end(),
                                          [](Connessione* c) {
                                              if (c->fd >= 0)
                                                  return false;
                                              delete c;
                                              return true;
                                          }),
                           connessioni_.end());
    }
}

CoppiaPty::CoppiaPty()
{
    char a[256] = {}, b[256] = {};
    if (::pipe(sveglia_) != 0)
        return;
    if (::openpty(&masterA_, &slaveA_, a, nullptr, nullptr) != 0 ||
        ::openpty(&masterB_, &slaveB_, b, nullptr, nullptr) != 0)
        return;
    crudo(slaveA_);
    crudo(slaveB_);
    nonBloccante(masterA_);
    nonBloccante(masterB_);
    percorsoA_ = a;
    percorsoB_ = b;
    thread_ = std::thread([this] { ciclo(); });
}

CoppiaPty::~CoppiaPty()
{
    if (thread_.joinable()) {
        const char c = 1;
        [[maybe_unused]] const auto r = ::write(sveglia_[1], &c, 1);
        thread_.join();
    }
    for (int fd : {masterA_, slaveA_, masterB_, slaveB_, sveglia_[0], sveglia_[1]})
        if (fd >= 0)
            ::close(fd);
}

void CoppiaPty::ciclo()
{
    for (;;) {
        pollfd fds[3] = {{sveglia_[0], POLLIN, 0}, {masterA_, POLLIN, 0}, {masterB_, POLLIN, 0}};
        if (::poll(fds, 3, -1) < 0 && errno != EINTR)
            return;
        if (fds[0].revents)
            return;
        Byte buf[4096];
        for (int i = 1; i <= 2; ++i) {
            if (!(fds[i].revents & POLLIN))
                continue;
            const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                [[maybe_unused]] const auto r = ::write(i == 1 ? masterB_ : masterA_, buf, std::size_t(n));
            }
        }
    }
}

} // namespace ludra::sim
