#pragma once
// The main window: an MDI frame with the menu bar, the toolbar and the status bar. It
// draws the menu, toolbar and status models that the logic owns and hands clicks back
// to the dispatch.
#include "base/Finestre.h"
#include "base/ui/FinestraPrincipale.h"
#include "platform/ui/Fotogramma.h"

#include <QFrame>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace ludra::ui {

// One panel of the status bar: a sunken frame with a line of text, drawn and read out as
// a label draws and reads out its text. Every link request writes panel 4 twice, so a new
// text costs little: it is kept at once and drawn at most once a frame, with the text
// the panel then holds.
class PannelloStato : public QFrame {
    Q_OBJECT
public:
    explicit PannelloStato(QWidget* parent = nullptr);
    const QString& text() const { return testo_; }
    void setText(const QString& testo);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QRect rettangoloTesto() const;
    QString testo_;
    mutable std::optional<QSize> misura_;
    platform::UnaPerFotogramma fotogramma_;
};

class Principale : public QMainWindow, public HostFinestre, public FinestraPrincipale {
    Q_OBJECT
public:
    static Principale& istanza();
    static bool esiste();
    // Destroys the instance (tests start each start-up from nothing).
    static void distruggi();

    // CaricaImmagini: fills ImageList1 from the bitmap resources.
    void CaricaImmagini();
    QIcon immagine(const QString& chiave) const { return ImageList1.value(chiave); }
    int numeroImmagini() const { return int(ImageList1.size()); }

    // Child windows by name. A later step registers its window's factory here; the
    // window is created the first time it is opened.
    using Fabbrica = std::function<QWidget*()>;
    void registraFinestra(Finestra finestra, Fabbrica fabbrica);
    QWidget* finestra(Finestra f) const;          // nullptr when not loaded
    QMdiSubWindow* cornice(Finestra f) const;     // its MDI frame
    // Loads (creates) a registered window without bringing it forward; returns it.
    QWidget* carica(Finestra f);
    // While the start builds its windows their frames wait for their titles, which
    // come once everything the start queued has run (see carica).
    void trattieniTitoli() { titoliTrattenuti_ = true; }
    void rilasciaTitoli();

    // HostFinestre
    void mostra(Finestra f, bool inPrimoPiano = true) override;
    void chiudi(Finestra f) override;
    bool caricata(Finestra f) const override { return caricate.contains(nomeFinestra(f)); }
    void mostraPagina(Finestra f, int pagina) override;
    void affianca(Finestra f, Finestra riferimento) override;
    void clessidra(bool attiva) override;
    void chiudiPrincipale() override;
    QString caption() const override { return windowTitle(); }
    void impostaCaption(const QString& testo) override { setWindowTitle(testo); }

    QToolBar* toolbar() const { return Toolbar1; }
    QAction* azioneToolbar(const QString& chiave) const { return azioniToolbar.value(chiave); }
    QAction* azioneMenu(const QString& nome) const { return azioniMenu.value(nome); }
    QMenu* popup(const QString& nome) const override { return popupMenu.value(nome); }
    QWidget* cornice() override { return this; }
    PannelloStato* pannello(int n) const;
    QMdiArea* area() const { return mdi; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Principale();
    ~Principale() override;

    void costruisciMenu();
    void ricostruisciToolbar();
    void aggiornaPulsante(const QString& chiave);
    void aggiornaVoce(const QString& nome);
    void aggiornaPannello(int n);
    void tieniInVista(QMdiSubWindow* sub) const;

    QMdiArea* mdi = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QHash<QString, QIcon> ImageList1;
    QHash<QString, QAction*> azioniToolbar;
    QHash<QString, QAction*> azioniMenu;   // menus of the bar included
    QHash<QString, QMenu*> popupMenu;
    QList<PannelloStato*> pannelli;
    QHash<QString, Fabbrica> fabbriche;
    QHash<QString, QMdiSubWindow*> caricate;
    bool titoliTrattenuti_ = false;
    QList<QPointer<QMdiSubWindow>> senzaTitolo_;
};

} // namespace ludra::ui
