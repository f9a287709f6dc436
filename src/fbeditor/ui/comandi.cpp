#include "fbeditor/ui/comandi.h"

#include "base/Testi.h"
#include "base/ui/FuocoCampo.h"
#include "fbeditor/CompilaComando.h"
#include "fbeditor/StatoComandi.h"
#include "fbeditor/TabellaFunzioni.h"
#include "fbeditor/ui/PulsanteFunzione.h"
#include "platform/Twips.h"
#include "platform/ui/TestoSemplice.h"
#include "platform/ui/VbColor.h"
#include "platform/ui/Geometria.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>

namespace ludra::ui {

using platform::posiziona;
using platform::twipsToPx;

namespace {

StatoComandi& stato() { return StatoComandi::istanza(); }

// The list of a combo box as the state has it; rebuilt only when it differs, so the
// user's open list and cursor are not disturbed by unrelated changes.
void impostaElenco(QComboBox* c, const QList<VoceElenco>& elenco)
{
    bool uguale = c->count() == elenco.size();
    for (int i = 0; uguale && i < elenco.size(); ++i)
        uguale = c->itemText(i) == elenco[i].testo && c->itemData(i).toInt() == elenco[i].dato;
    if (uguale)
        return;
    c->clear();
    for (const VoceElenco& v : elenco)
        c->addItem(v.testo, v.dato);
}

// Windows alive: a closed editor is destroyed from the event loop, possibly after the
// next one has opened, and must not unload the one on screen.
int viventi = 0;

constexpr int kTopRighe = 320;
constexpr int kPassoRighe = 440;

} // namespace

comandi::comandi(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("comandi"));
    setFixedSize(twipsToPx(kLarghezzaTwips), twipsToPx(kAltezzaTwips));

    // The block choices.
    fFunzioni_ = new QGroupBox(this);
    fFunzioni_->setObjectName(QStringLiteral("f_Funzioni"));
    posiziona(fFunzioni_, 120, 60, 8760, 3980);

    tab_ = new QTabBar(fFunzioni_);
    tab_->setObjectName(QStringLiteral("Tab_Funzioni"));
    tab_->setExpanding(false);
    tab_->setUsesScrollButtons(true);
    tab_->setDrawBase(true);
    for (int s = 1; s <= kNumSchede; ++s)
        tab_->addTab(NomeScheda(s));
    posiziona(tab_, 100, 300, 8560, 420);

    lblNomeFunz_ = new platform::Etichetta(fFunzioni_);
    lblNomeFunz_->setObjectName(QStringLiteral("lbl_nomeFunz"));
    QFont grassetto = lblNomeFunz_->font();
    grassetto.setBold(true);
    grassetto.setPointSizeF(grassetto.pointSizeF() * 1.3);
    lblNomeFunz_->setFont(grassetto);
    posiziona(lblNomeFunz_, 100, 900, 3400, 400);

    for (int c = 0; c < kNumCodiciFunzione; ++c) {
        if (!HaPulsanteFunzione(c))
            continue;
        auto* b = new PulsanteFunzione(c, platform::vbColor(ColoreFunzione(c)), fFunzioni_);
        b->setText(NomiFunzioni[std::size_t(c)]);
        b->resize(twipsToPx(1040), twipsToPx(500));
        b->hide();
        opt_[std::size_t(c)] = b;
        connect(b, &QAbstractButton::clicked, this, [c] { stato().ClickFunzione(c); });
    }

    // The line's label, the delay and the commit, to the right of the choices.
    label1_ = new platform::Etichetta(fFunzioni_);
    label1_->setObjectName(QStringLiteral("Label1"));
    posiziona(label1_, 4400, 1500, 1200, 300);
    txtLabel_ = new QLineEdit(fFunzioni_);
    txtLabel_->setObjectName(QStringLiteral("txt_Label"));
    posiziona(txtLabel_, 5700, 1460, 2900, 360);
    lblDelay_ = new platform::Etichetta(fFunzioni_);
    lblDelay_->setObjectName(QStringLiteral("lbl_Delay"));
    posiziona(lblDelay_, 4400, 2100, 1200, 300);
    txtDelay_ = new QLineEdit(fFunzioni_);
    txtDelay_->setObjectName(QStringLiteral("txt_delay"));
    posiziona(txtDelay_, 5700, 2060, 1200, 360);
    cmdAddFunc_ = new QPushButton(QStringLiteral("OK"), fFunzioni_);
    cmdAddFunc_->setObjectName(QStringLiteral("cmd_AddFunc"));
    posiziona(cmdAddFunc_, 7200, 3300, 1400, 480);

    connect(txtLabel_, &QLineEdit::textEdited, this,
            [](const QString& t) { stato().ImpostaEtichetta(t); });
    connect(txtDelay_, &QLineEdit::textEdited, this,
            [](const QString& t) { stato().ImpostaRitardo(t); });
    connect(cmdAddFunc_, &QPushButton::clicked, this, &comandi::cmd_AddFunc_Click);
    connect(tab_, &QTabBar::currentChanged, this, [this](int i) {
        if (!inAggiornamento_)
            stato().ClickScheda(i + 1);
    });
    txtLabel_->installEventFilter(this);

    // The argument rows.
    fArgomenti_ = new QGroupBox(this);
    fArgomenti_->setObjectName(QStringLiteral("f_argomenti"));
    posiziona(fArgomenti_, 120, 4120, 8760, kTopRighe + 8 * kPassoRighe + 120);
    for (int k = 0; k < kNumArgomenti; ++k) {
        const int top = kTopRighe + k * kPassoRighe;
        auto* lbl = new platform::Etichetta(fArgomenti_);
        lbl->setObjectName(QStringLiteral("lbl_Var_%1").arg(k));
        posiziona(lbl, 120, top + 40, 1900, 300);
        auto* var = new QComboBox(fArgomenti_);
        var->setObjectName(QStringLiteral("txt_Var_%1").arg(k));
        var->setEditable(true);
        var->setInsertPolicy(QComboBox::NoInsert);
        posiziona(var, 2100, top, 3500, 380);
        auto* opt = new QComboBox(fArgomenti_);
        opt->setObjectName(QStringLiteral("txt_Opt_%1").arg(k));
        posiziona(opt, 5700, top, 1700, 380);
        auto* set = new QPushButton(QStringLiteral("..."), fArgomenti_);
        set->setObjectName(QStringLiteral("cmd_Set_%1").arg(k));
        posiziona(set, 7500, top, 600, 380);
        lblVar_[std::size_t(k)] = lbl;
        txtVar_[std::size_t(k)] = var;
        txtOpt_[std::size_t(k)] = opt;
        cmdSet_[std::size_t(k)] = set;

        connect(var, &QComboBox::activated, this, [this, k](int i) {
            if (!inAggiornamento_)
                stato().SelezionaVoce(k, i);
        });
        connect(var->lineEdit(), &QLineEdit::textEdited, this,
                [k](const QString& t) { stato().ImpostaTesto(k, t); });
        connect(opt, &QComboBox::activated, this, [this, k](int i) {
            if (!inAggiornamento_)
                stato().ClickTipo(k, i);
        });
        // The dialogs wait with the events running; the wait starts from the event
        // loop, not from inside this window's handler, so closing the window
        // meanwhile is safe.
        connect(set, &QPushButton::clicked, this, [k] {
            QMetaObject::invokeMethod(
                &stato(), [k] { stato().cmd_Set_Click(k); }, Qt::QueuedConnection);
        });
        var->installEventFilter(this);
        var->lineEdit()->installEventFilter(this);
        opt->installEventFilter(this);
    }

    connect(&stato(), &StatoComandi::cambiato, this, &comandi::aggiorna);

    // Load: captions, the loaded flag, the first tab.
    SetRes();
    FinestreCaricate::istanza().registra(this);
    SeguiCampiRifiutati(this);
    ++viventi;
    stato().Carica();
    aggiorna();
}

comandi::~comandi()
{
    FinestreCaricate::istanza().rimuovi(this);
    disconnect(&stato(), nullptr, this, nullptr);
    if (--viventi == 0)
        stato().Scarica();
}

void comandi::SetRes()
{
    setWindowTitle(Testi.t(60));
    fFunzioni_->setTitle(Testi.t(61));
    fArgomenti_->setTitle(Testi.t(62));
    label1_->setText(Testi.t(161));
}

PulsanteFunzione* comandi::opt_Funzione(int codice) const
{
    return codice >= 0 && codice < int(opt_.size()) ? opt_[std::size_t(codice)] : nullptr;
}

void comandi::cmd_AddFunc_Click()
{
    emit conferma();
    // A commit that writes the line closes this window (later, from the event loop).
    ConfermaComando();
}

bool comandi::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::FocusIn) {
        for (int k = 0; k < kNumArgomenti; ++k) {
            if (oggetto == txtVar_[std::size_t(k)] || oggetto == txtOpt_[std::size_t(k)]
                || oggetto == txtVar_[std::size_t(k)]->lineEdit())
                stato().Focus(k);
        }
    } else if (evento->type() == QEvent::KeyPress) {
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        if (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter) {
            cmd_AddFunc_Click();
            return true;
        }
    }
    return QWidget::eventFilter(oggetto, evento);
}

void comandi::aggiorna()
{
    inAggiornamento_ = true;
    const StatoComandi& s = stato();
    aggiornaScheda();
    lblNomeFunz_->setText(s.NomeFunzione);
    if (txtLabel_->text() != s.Etichetta)
        txtLabel_->setText(s.Etichetta);
    if (txtDelay_->text() != s.Ritardo)
        txtDelay_->setText(s.Ritardo);
    txtDelay_->setVisible(s.RitardoVisibile);
    lblDelay_->setVisible(s.RitardoVisibile);
    lblDelay_->setText(s.DidascaliaRitardo);
    for (int k = 0; k < kNumArgomenti; ++k)
        aggiornaRiga(k);
    inAggiornamento_ = false;
}

void comandi::aggiornaScheda()
{
    const StatoComandi& s = stato();
    {
        const QSignalBlocker blocco(tab_);
        tab_->setCurrentIndex(s.Scheda - 1);
    }
    for (PulsanteFunzione* b : opt_)
        if (b)
            b->hide();
    for (const PosizioneFunzione& p : PosizioniScheda(s.Scheda)) {
        PulsanteFunzione* b = opt_[p.codice];
        b->move(twipsToPx(kLeftPulsante(p.colonna)), twipsToPx(kTopPulsante(p.riga)));
        b->show();
    }
    // The chosen block's button is on; a block without one leaves them all off.
    for (PulsanteFunzione* b : opt_) {
        if (!b)
            continue;
        const bool scelto = b->codice() == s.FunzioneCorrente && s.NomeFunzione.size() > 0;
        if (b->isChecked() != scelto) {
            b->setAutoExclusive(false);
            b->setChecked(scelto);
            b->setAutoExclusive(true);
        }
    }
}

void comandi::aggiornaRiga(int k)
{
    const RigaArgomento& r = stato().Righe[std::size_t(k)];
    QLabel* lbl = lblVar_[std::size_t(k)];
    QComboBox* var = txtVar_[std::size_t(k)];
    QComboBox* opt = txtOpt_[std::size_t(k)];
    QPushButton* set = cmdSet_[std::size_t(k)];

    lbl->setText(r.etichetta);
    lbl->setVisible(r.etichettaVisibile);
    {
        const QSignalBlocker blocco(var);
        impostaElenco(var, r.elenco);
        if (var->currentIndex() != r.selezione)
            var->setCurrentIndex(r.selezione);
        if (var->currentText() != r.testo)
            var->setEditText(r.testo);
    }
    var->setVisible(r.testoVisibile);
    {
        const QSignalBlocker blocco(opt);
        impostaElenco(opt, r.tipi);
        if (opt->currentIndex() != r.tipoScelto)
            opt->setCurrentIndex(r.tipoScelto);
    }
    opt->setVisible(r.tipiVisibili);
    set->setVisible(r.setVisibile);
    set->setEnabled(r.setAbilitato);
}

} // namespace ludra::ui
