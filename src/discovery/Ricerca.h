#pragma once
// The device search behind the search window: the network search by datagrams, the
// serial scan, the scan behind a gateway, the gateway set-up dialogue and the actions
// on the selected device. The window holds no logic: it writes the option fields,
// calls the operations and draws the tree, the status and the diagram this object owns
// (reported by signals).
#include "discovery/AlberoRicerca.h"
#include "discovery/Dispositivi.h"
#include "discovery/Telnet.h"
#include "platform/SocketTcp.h"
#include "platform/SocketUdp.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace ludra {

// One row of the diagram: the bitmap ids of its five cells (host, Link1, device,
// Link2, subnet).
using RigaRete = std::array<int, 5>;

class RicercaDispositivi : public QObject {
    Q_OBJECT
public:
    static RicercaDispositivi& istanza();

    // Option fields as the window's controls hold them.
    QString cmb_porta = QStringLiteral("TCP/IP");   // "TCP/IP" or "COM1" to "COM32"
    QString txt_Timeout = QStringLiteral("1000");
    std::array<bool, 2> chk_disp_ethernet{true, true};
    std::array<QString, 4> txt_indir{QStringLiteral("1"), QStringLiteral("32"),
                                     QStringLiteral("1"), QStringLiteral("32")};
    int chk_baud = 5;   // 0 to 7: 1200 to 115200; -1 for none
    static const std::array<const char*, 8> kBaud;

    // The selected record (set by a node click; the last one found after a search) and
    // the number of records found.
    std::int16_t IndiceDispositivo = 0;
    int NumeroDispositivi = 0;
    bool RicercaInCorso = false;
    QString RispostaTelnet;

    // What the window shows.
    QString lbl_search;
    bool cmdSearchAbilitato = true;
    bool command1Abilitato = false;
    const AlberoRicerca& Elenco() const { return albero_; }
    const std::vector<RigaRete>& Rete() const { return righe_; }

    // The operations.
    void cmd_Search_Click();
    void Command1_Click();
    void cmd_stop_Click();
    void Elenco_NodeClick(const QString& chiave);
    void Elenco_DblClick();
    void SetAsController();
    // Set as Controller for the device selected now, to run when its turn comes: a
    // selection changed meanwhile does not move it. Empty, after saying so, when nothing
    // is selected.
    std::function<void()> SetAsControllerScelto();
    void SetIP();
    void DisegnaRete();
    // The window opens and closes: a closed window ends every loop and dialogue.
    void FinestraAperta();
    void FinestraChiusa();
    // The answers to the gateway that wait unsent: bounded, whatever the gateway offers.
    qint64 TelnetInCoda() const { return telnet.inCoda(); }
    // What the gateway sent during the step under way: bounded, whatever it sends.
    qint64 TelnetRicevuti() const { return byteTelnet_; }
    // True while a search, a scan or the gateway dialogue runs.
    bool occupato() const { return occupato_; }

    // Back to the state of a fresh process (closes both sockets).
    void Azzera();

signals:
    void nodoAggiunto(const QString& chiave);
    void nodoRimosso(const QString& chiave);
    void alberoSvuotato();
    // Expand the parents of the node and scroll to it; select it when asked.
    void nodoMostrato(const QString& chiave, bool seleziona);
    void statoCambiato();   // label, buttons
    void reteDisegnata();

private:
    RicercaDispositivi();
    void impostaController(const Dispositivo& d);
    // Stopped, its window closed, or its sequence asked to end (the application closing).
    bool finito() const;
    void imposta(const QString& etichetta);
    void abilita(bool search, bool command1);
    void aggiungiNodo(const QString& padre, const QString& chiave, const QString& testo,
                      const QString& immagine = QString());
    void svuotaAlbero();
    int nuovoRecord();
    // The record for a reply from the device with this MAC at this address; 0 when the
    // device is already listed or there is no room.
    int recordDispositivo(const QString& mac, const QString& mittente);

    bool ramoEthernet();
    void ascolta(const QByteArray& query, bool& flag, const QString& testo,
                 const std::vector<Destinazione>& destinazioni);
    // Sends the datagram to every destination; the failures, one line each.
    QStringList inviaRicerca(const QByteArray& dati, const std::vector<Destinazione>& destinazioni);
    void UDP_DataArrival();
    void ramoSeriale();
    // The identity probe of one address; the new record or 0.
    int sonda(int indirizzo, std::int16_t modo, const QString& padre, std::uint8_t& nodoLetto);
    bool numeriIndirizzo(int campoDa, int campoA, int& da, int& a) const;
    // The time-out field and, from `campoDa` on (-1: none), an address pair, read through
    // the one field reader before a search or scan starts: false, with the refusal naming
    // the field shown and the focus there, when one holds no number in its range.
    bool campiValidi(int campoDa) const;
    int timeoutMs() const;

    void ProgrammaDefault();
    bool InviaTelnet(const QByteArray& comando, int minimo, int secondi);
    // Sends to the gateway, unless what it has not read yet would pass a few kilobytes.
    void scriviTelnet(const QByteArray& dati);

    AlberoRicerca albero_;
    std::vector<RigaRete> righe_;
    platform::SocketUdp UDP;
    platform::SocketTcp telnet;
    TestoTelnet testoTelnet_;
    bool telnetNonLegge_ = false;
    qint64 byteTelnet_ = 0;   // what the gateway sent during this step, negotiation too
    // The devices of this search, each its MAC with the address it answered from: a
    // device reached on several networks (or by both the limited and its network's
    // broadcast) answers each query it gets, while devices not yet given their own MAC
    // (or whose short replies read as all zeros) share one.
    QSet<QString> trovati_;
    bool chiusa_ = false;
    bool inConnessione_ = false;   // Set as Controller waits for its connect
    bool occupato_ = false;
};

} // namespace ludra
