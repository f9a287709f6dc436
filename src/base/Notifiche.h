#pragma once
// The logic's way of telling the windows that state they draw has changed. The logic
// owns the state; windows listen and redraw.
#include <QObject>
#include <QString>

namespace ludra {

class Notifiche : public QObject {
    Q_OBJECT
public:
    static Notifiche& istanza();

signals:
    void toolbarCambiata(const QString& chiave);   // enabled state of one button
    void toolbarRicostruita();
    void statoCambiato(int pannello);              // one status bar panel, 1 to 5
    void menuCambiato(const QString& nome);        // caption or visibility of one item
    void logRigaAggiunta();
    void logSvuotato();
    void rungCambiato(int sezione, int riga);     // one line's record or mark
    void registriCambiati();                      // TabellaRegistri rows or values
    void ladderCambiato();                        // ladder view: layout, scroll, tabs, load
    void barraCambiata(int valore);               // progress of a download, 1..101
    void modificaRigaChiesta(int riga);           // a line of the current unit to edit
    // A window's check refused what one of its controls holds (both by object name).
    void campoRifiutato(const QString& finestra, const QString& controllo);
};

} // namespace ludra
