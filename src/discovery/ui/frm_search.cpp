#include "discovery/ui/frm_search.h"

#include "base/Testi.h"
#include "base/ui/FinestraPrincipale.h"
#include "base/ui/RigaEvidenziata.h"
#include "discovery/AlberoRicerca.h"
#include "discovery/Ricerca.h"
#include "discovery/ui/ImmaginiRete.h"
#include "platform/Twips.h"
#include "platform/ui/Pictures.h"
#include "platform/ui/TestoSemplice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ludra::ui {

using platform::twipsToPx;

namespace {

constexpr int kChiave = Qt::UserRole;

QIcon immagineAlbero(const QString& chiave)
{
    if (chiave == QLatin1String("connect"))
        return platform::LoadResIcon(119);
    if (chiave == QLatin1String("host"))
        return platform::LoadResIcon(200);
    return {};
}

} // namespace

frm_search::frm_search(QWidget* parent)
    : QWidget(parent), logica_(RicercaDispositivi::istanza())
{
    setObjectName(QStringLiteral("frm_search"));
    logica_.FinestraAperta();

    Frame2 = new QGroupBox(this);
    Label5 = new platform::Etichetta(Frame2);
    cmb_porta = new QComboBox(Frame2);
    cmb_porta->setObjectName(QStringLiteral("cmb_porta"));
    Label9 = new platform::Etichetta(Frame2);
    txt_Timeout = new QLineEdit(logica_.txt_Timeout, Frame2);
    txt_Timeout->setObjectName(QStringLiteral("txt_Timeout"));
    Label12 = new platform::Etichetta(QStringLiteral("mSec"), Frame2);
    auto* canali = new QGridLayout(Frame2);
    canali->addWidget(Label5, 0, 0);
    canali->addWidget(cmb_porta, 0, 1, 1, 2);
    canali->addWidget(Label9, 1, 0);
    canali->addWidget(txt_Timeout, 1, 1);
    canali->addWidget(Label12, 1, 2);

    // Serial options.
    frm_opz[0] = new QGroupBox(this);
    Frame5 = new QGroupBox(frm_opz[0]);
    Label4 = new platform::Etichetta(Frame5);
    Label6 = new platform::Etichetta(Frame5);
    for (std::size_t i = 0; i < txt_indir.size(); ++i) {
        txt_indir[i] = new QLineEdit(logica_.txt_indir[i]);
        txt_indir[i]->setObjectName(QStringLiteral("txt_indir%1").arg(i));
        txt_indir[i]->setMaximumWidth(twipsToPx(700));
    }
    auto* indirizzi = new QHBoxLayout(Frame5);
    indirizzi->addWidget(Label4);
    indirizzi->addWidget(txt_indir[0]);
    indirizzi->addWidget(Label6);
    indirizzi->addWidget(txt_indir[1]);
    Frame1 = new QGroupBox(frm_opz[0]);
    auto* baud = new QGridLayout(Frame1);
    for (std::size_t i = 0; i < chk_baud.size(); ++i) {
        chk_baud[i] = new QRadioButton(QString::fromLatin1(RicercaDispositivi::kBaud[i]), Frame1);
        chk_baud[i]->setChecked(int(i) == logica_.chk_baud);
        baud->addWidget(chk_baud[i], int(i) / 2, int(i) % 2);
        connect(chk_baud[i], &QRadioButton::toggled, this, [this, i](bool si) {
            if (si)
                logica_.chk_baud = int(i);
        });
    }
    auto* seriale = new QVBoxLayout(frm_opz[0]);
    seriale->addWidget(Frame5);
    seriale->addWidget(Frame1);

    // Ethernet options.
    frm_opz[1] = new QGroupBox(this);
    auto* ethernet = new QVBoxLayout(frm_opz[1]);
    const char* famiglie[] = {"KVR5200", "KVR1750-MBTCP"};
    for (std::size_t i = 0; i < chk_disp_ethernet.size(); ++i) {
        chk_disp_ethernet[i] = new QCheckBox(QString::fromLatin1(famiglie[i]), frm_opz[1]);
        chk_disp_ethernet[i]->setChecked(logica_.chk_disp_ethernet[i]);
        ethernet->addWidget(chk_disp_ethernet[i]);
        connect(chk_disp_ethernet[i], &QCheckBox::toggled, this,
                [this, i](bool si) { logica_.chk_disp_ethernet[i] = si; });
    }

    cmd_Search = new QPushButton(this);
    cmd_Search->setObjectName(QStringLiteral("cmd_Search"));
    cmd_stop = new QPushButton(this);
    cmd_stop->setObjectName(QStringLiteral("cmd_stop"));
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(cmd_Search);
    pulsanti->addWidget(cmd_stop);

    Frame4 = new QGroupBox(this);
    Label10 = new platform::Etichetta(Frame4);
    Label11 = new platform::Etichetta(Frame4);
    Command1 = new QPushButton(Frame4);
    Command1->setObjectName(QStringLiteral("Command1"));
    auto* sottoNodi = new QGridLayout(Frame4);
    sottoNodi->addWidget(Label10, 0, 0);
    sottoNodi->addWidget(txt_indir[2], 0, 1);
    sottoNodi->addWidget(Label11, 0, 2);
    sottoNodi->addWidget(txt_indir[3], 0, 3);
    sottoNodi->addWidget(Command1, 1, 0, 1, 4);

    lbl_search = new platform::Etichetta(this);
    lbl_search->setObjectName(QStringLiteral("lbl_search"));
    Elenco = new QTreeWidget(this);
    Elenco->setObjectName(QStringLiteral("Elenco"));
    Elenco->setHeaderHidden(true);
    Elenco->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(Frame2);
    sinistra->addWidget(frm_opz[0]);
    sinistra->addWidget(frm_opz[1]);
    sinistra->addLayout(pulsanti);
    sinistra->addWidget(Frame4);
    sinistra->addWidget(lbl_search);
    sinistra->addWidget(Elenco, 1);

    // The diagram: rows of five 735-twip cells, scrolled when they pass the bottom.
    Frame3 = new QGroupBox(this);
    auto* scorrimento = new QScrollArea(Frame3);
    rete_ = new QWidget;
    scorrimento->setWidget(rete_);
    scorrimento->setFrameShape(QFrame::NoFrame);
    auto* cornice = new QVBoxLayout(Frame3);
    cornice->addWidget(scorrimento);
    Frame3->setFixedWidth(twipsToPx(5955));
    Frame3->setMinimumHeight(twipsToPx(6615));

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(sinistra);
    layout->addWidget(Frame3);

    connect(cmb_porta, &QComboBox::currentIndexChanged, this, [this] { cmb_porta_Click(); });
    connect(txt_Timeout, &QLineEdit::textChanged, this,
            [this](const QString& t) { logica_.txt_Timeout = t; });
    for (std::size_t i = 0; i < txt_indir.size(); ++i)
        connect(txt_indir[i], &QLineEdit::textChanged, this,
                [this, i](const QString& t) { logica_.txt_indir[i] = t; });
    connect(cmd_Search, &QPushButton::clicked, this, [this] { logica_.cmd_Search_Click(); });
    connect(cmd_stop, &QPushButton::clicked, this, [this] { logica_.cmd_stop_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { logica_.Command1_Click(); });
    connect(Elenco, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        chiaveScelta_ = item->data(0, kChiave).toString();
        logica_.Elenco_NodeClick(chiaveScelta_);
    });
    connect(Elenco, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        chiaveScelta_ = item->data(0, kChiave).toString();
        logica_.Elenco_NodeClick(chiaveScelta_);
        logica_.Elenco_DblClick();
    });
    // Only a click picks the device: a right-click or an arrow key would highlight a node
    // the pop-up menu's entries and the gateway scan do not act on.
    connect(Elenco, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (nodoEvidenziato(Elenco) != nodoAttivo())
            evidenziaAttivo();
    });
    connect(Elenco, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint& punto) { Elenco_MouseDown(punto); });

    connect(&logica_, &RicercaDispositivi::nodoAggiunto, this, &frm_search::aggiungiNodo);
    connect(&logica_, &RicercaDispositivi::nodoRimosso, this, &frm_search::rimuoviNodo);
    connect(&logica_, &RicercaDispositivi::alberoSvuotato, Elenco, &QTreeWidget::clear);
    connect(&logica_, &RicercaDispositivi::nodoMostrato, this, &frm_search::mostraNodo);
    connect(&logica_, &RicercaDispositivi::statoCambiato, this, &frm_search::aggiornaStato);
    connect(&logica_, &RicercaDispositivi::reteDisegnata, this, &frm_search::disegnaRete);

    // Form_Load.
    FinestreCaricate::istanza().registra(this);
    SetRes();
    cmb_porta->addItem(QStringLiteral("TCP/IP"));
    for (int i = 1; i <= 32; ++i)
        cmb_porta->addItem(QStringLiteral("COM") + QString::number(i));
    const int scelta = cmb_porta->findText(logica_.cmb_porta);
    cmb_porta->setCurrentIndex(scelta < 0 ? 0 : scelta);
    cmb_porta_Click();
    if (!logica_.occupato()) {
        logica_.command1Abilitato = false;
        logica_.cmdSearchAbilitato = true;
    }
    // What the last search found stays shown.
    for (const NodoAlbero& n : logica_.Elenco().nodi())
        aggiungiNodo(n.chiave);
    aggiornaStato();
    disegnaRete();
}

frm_search::~frm_search()
{
    FinestreCaricate::istanza().rimuovi(this);
    logica_.disconnect(this);
    logica_.FinestraChiusa();
}

void frm_search::SetRes()
{
    setWindowTitle(Testi.t(101));
    Label5->setText(Testi.t(102));
    Label9->setText(Testi.t(103));
    Frame5->setTitle(Testi.t(104));
    Label4->setText(Testi.t(105));
    Label10->setText(Testi.t(105));
    Label6->setText(Testi.t(106));
    Label11->setText(Testi.t(106));
    Frame1->setTitle(Testi.t(107));
    cmd_Search->setText(Testi.t(108));
    cmd_stop->setText(Testi.t(109));
    Command1->setText(Testi.t(110));
}

void frm_search::cmb_porta_Click()
{
    logica_.cmb_porta = cmb_porta->currentText();
    const bool ethernet = logica_.cmb_porta == QLatin1String("TCP/IP");
    frm_opz[0]->setVisible(!ethernet);
    frm_opz[1]->setVisible(ethernet);
}

void frm_search::aggiornaStato()
{
    lbl_search->setText(logica_.lbl_search);
    cmd_Search->setEnabled(logica_.cmdSearchAbilitato);
    Command1->setEnabled(logica_.command1Abilitato);
    // A click or the end of a search may have picked another device.
    evidenziaAttivo();
}

QTreeWidgetItem* frm_search::nodoAttivo() const
{
    const int indice = logica_.IndiceDispositivo;
    QTreeWidgetItem* scelto = nodo(chiaveScelta_);
    if (scelto && RecordDaChiave(chiaveScelta_) == indice)
        return scelto;
    return indice > 0 ? nodo(QStringLiteral("nodo%1").arg(indice)) : nullptr;
}

void frm_search::evidenziaAttivo() { evidenziaNodo(Elenco, nodoAttivo()); }

QTreeWidgetItem* frm_search::nodo(const QString& chiave) const
{
    for (QTreeWidgetItemIterator it(Elenco); *it; ++it)
        if ((*it)->data(0, kChiave).toString() == chiave)
            return *it;
    return nullptr;
}

void frm_search::aggiungiNodo(const QString& chiave)
{
    const NodoAlbero* n = logica_.Elenco().trova(chiave);
    if (!n)
        return;
    QTreeWidgetItem* padre = n->padre.isEmpty() ? nullptr : nodo(n->padre);
    auto* item = padre ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(Elenco);
    item->setText(0, n->testo);
    item->setData(0, kChiave, n->chiave);
    item->setIcon(0, immagineAlbero(n->immagine));
}

void frm_search::rimuoviNodo(const QString& chiave) { delete nodo(chiave); }

void frm_search::mostraNodo(const QString& chiave, bool seleziona)
{
    QTreeWidgetItem* item = nodo(chiave);
    if (!item)
        return;
    for (QTreeWidgetItem* p = item->parent(); p; p = p->parent())
        p->setExpanded(true);
    Elenco->scrollToItem(item);
    if (seleziona)
        Elenco->setCurrentItem(item);
}

void frm_search::disegnaRete()
{
    for (QFrame* r : disp)
        delete r;
    disp.clear();
    celle.clear();
    const int alto = twipsToPx(735);
    int top = twipsToPx(300);
    const int sinistra = twipsToPx(180);
    for (const RigaRete& riga : logica_.Rete()) {
        auto* r = new QFrame(rete_);
        r->setGeometry(sinistra, top, twipsToPx(5655), alto);
        std::array<QLabel*, 5> c{};
        for (std::size_t i = 0; i < c.size(); ++i) {
            c[i] = new platform::Etichetta(r);
            c[i]->setGeometry(twipsToPx(int(i) * 720), 0, alto, alto);
            c[i]->setPixmap(ImmagineRete(riga[i]).scaled(alto, alto, Qt::IgnoreAspectRatio,
                                                           Qt::SmoothTransformation));
            c[i]->show();
        }
        r->show();
        disp.push_back(r);
        celle.push_back(c);
        top += alto;
    }
    rete_->resize(sinistra + twipsToPx(4 * 720 + 735), top + alto);
}

void frm_search::Elenco_MouseDown(const QPoint& punto)
{
    FinestraPrincipale* principale = finestraPrincipale();
    if (QMenu* menu = principale ? principale->popup(QStringLiteral("mnu_Cont")) : nullptr)
        menu->popup(Elenco->viewport()->mapToGlobal(punto));
}

} // namespace ludra::ui
