#pragma once
// The text a telnet peer sends, apart from its option negotiation: every option the
// peer offers or asks for is refused ("don't" to its "will", "won't" to its "do"), so
// the dialogue stays plain text; the negotiation bytes never count as text.
#include <QByteArray>

namespace ludra {

class TestoTelnet {
public:
    // Takes the bytes just received; returns the text among them. A sequence split
    // across pieces is completed by the next piece.
    QByteArray elabora(const QByteArray& ricevuti);
    // What to send back for the negotiation seen so far; empties it.
    QByteArray risposte();
    void azzera();

private:
    enum class Stato { Testo, Comando, Opzione, Sotto, SottoComando };
    Stato stato_ = Stato::Testo;
    unsigned char comando_ = 0;
    QByteArray risposte_;
};

} // namespace ludra
