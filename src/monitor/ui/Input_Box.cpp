#include "monitor/ui/Input_Box.h"

#include "base/Testi.h"
#include "base/ui/FuocoCampo.h"
#include "monitor/DialogoRegistro.h"
#include "monitor/DialogoValori.h"
#include "monitor/InputBox.h"
#include "platform/ui/TestoSemplice.h"
#include "project/Registri.h"
#include "platform/Twips.h"
#include "platform/ui/VbColor.h"
#include "platform/ui/Geometria.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace ludra::ui {

using platform::posiziona;
using platform::twipsToPx;

namespace {

const QString kNomeFinestra = QString::fromLatin1(Input_Box::kNome);
constexpr int kLarghezzaBit = 270;

void coloraBit(QPushButton* b, quint32 colore)
{
    QPalette pal = b->palette();
    pal.setColor(QPalette::Button, platform::vbColor(colore));
    pal.setColor(QPalette::Window, platform::vbColor(colore));
    b->setPalette(pal);
}

} // namespace

Input_Box::Input_Box(QWidget* parent) : QWidget(parent)
{
    setObjectName(kNomeFinestra);
    setFixedSize(twipsToPx(5160), twipsToPx(3360));

    for (int i = 0; i < 4; ++i) {
        label1_[std::size_t(i)] = new platform::Etichetta(this);
        label1_[std::size_t(i)]->setObjectName(QStringLiteral("Label1_%1").arg(i));
    }
    QFont grassetto = label1_[2]->font();
    grassetto.setBold(true);
    label1_[2]->setFont(grassetto);
    posiziona(label1_[2], 120, 120, 3000, 300);
    posiziona(label1_[0], 120, 480, 3000, 260);
    posiziona(label1_[3], 3240, 480, 1800, 260);
    posiziona(label1_[1], 120, 1140, 3000, 260);

    for (int i = 0; i < 2; ++i) {
        testo_[std::size_t(i)] = new QLineEdit(this);
        testo_[std::size_t(i)]->setObjectName(QStringLiteral("Testo_%1").arg(i));
        testo_[std::size_t(i)]->installEventFilter(this);
    }
    posiziona(testo_[0], 120, 720, 3000, 360);
    posiziona(testo_[1], 120, 1380, 4920, 360);
    combo1_ = new QComboBox(this);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->installEventFilter(this);
    posiziona(combo1_, 3240, 720, 1800, 360);

    // Two rows of sixteen bits, the highest bit of each row on the left.
    for (int riga = 0; riga < 2; ++riga) {
        auto* p = new QWidget(this);
        p->setObjectName(QStringLiteral("pBits_%1").arg(riga));
        posiziona(p, 120, 1860 + riga * 420, 4920, 380);
        auto* alto = new platform::Etichetta(QString::number(riga * 16 + 15), p);
        posiziona(alto, 0, 60, 300, 260);
        auto* basso = new platform::Etichetta(QString::number(riga * 16), p);
        basso->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        posiziona(basso, 4620, 60, 300, 260);
        for (int j = 0; j < 16; ++j) {
            const int i = riga * 16 + (15 - j);
            auto* b = new QPushButton(QStringLiteral("x"), p);
            b->setObjectName(QStringLiteral("cmd_bit_%1").arg(i));
            b->setAutoFillBackground(true);
            b->setFlat(true);
            posiziona(b, 320 + j * kLarghezzaBit, 20, kLarghezzaBit - 20, 340);
            b->installEventFilter(this);
            connect(b, &QPushButton::clicked, this, [this, i] { cmd_bit_Click(i); });
            bit_[std::size_t(i)] = b;
            coloraBit(b, platform::kVbWhite);
        }
        pBits_[std::size_t(riga)] = p;
    }

    ok_[0] = new QPushButton(QStringLiteral("Annulla"), this);
    ok_[0]->setObjectName(QStringLiteral("cmd_ok_0"));
    ok_[1] = new QPushButton(QStringLiteral("OK"), this);
    ok_[1]->setObjectName(QStringLiteral("cmd_ok_1"));
    posiziona(ok_[0], 2640, 2820, 1140, 420);
    posiziona(ok_[1], 3900, 2820, 1140, 420);
    connect(ok_[0], &QPushButton::clicked, this, [this] { cmd_ok_Click(0); });
    connect(ok_[1], &QPushButton::clicked, this, [this] { cmd_ok_Click(1); });

    // Leaving the application while the dialog is open cancels it, so its opener is not
    // left waiting.
    connect(qGuiApp, &QGuiApplication::lastWindowClosed, this, [this] { cmd_ok_Click(0); });

    SetRes();
    FinestreCaricate::istanza().registra(this);
    SeguiCampiRifiutati(this);
    // The fields are taken once: what the dialog shows is what OK applies to.
    modo_ = InputBox.Tipo;
    indice_ = InputBox.Indice;
    apertura_ = InputBox.Apertura;
    if (modo_ == kInputBoxTesto)
        caricaTesto();
    else
        caricaRegistro();
}

Input_Box::~Input_Box()
{
    FinestreCaricate::istanza().rimuovi(this);
    if (!chiuso_)
        ChiudiDialogoValori(Finestra::Input_Box);
}

void Input_Box::SetRes()
{
    setWindowTitle(Testi.t(59));
    label1_[0]->setText(Testi.t(56));
    label1_[1]->setText(Testi.t(57));
    label1_[3]->setText(Testi.t(58));
}

void Input_Box::caricaTesto()
{
    testo_[1]->setText(TestoDialogo);
    for (QWidget* w : {static_cast<QWidget*>(combo1_), static_cast<QWidget*>(testo_[0]),
                       static_cast<QWidget*>(label1_[0]), static_cast<QWidget*>(label1_[2]),
                       static_cast<QWidget*>(label1_[3])})
        w->hide();
    testo_[1]->show();
    const ParoleBit p = ParoleDaTesto(TestoDialogo);
    for (int i = 0; i < 16; ++i) {
        mostraBit(i, (p.bassa >> i) & 1);
        mostraBit(16 + i, (p.alta >> i) & 1);
    }
}

void Input_Box::caricaRegistro()
{
    const int r = indice_;
    for (QWidget* w : {static_cast<QWidget*>(combo1_), static_cast<QWidget*>(testo_[0]),
                       static_cast<QWidget*>(testo_[1]), static_cast<QWidget*>(label1_[0]),
                       static_cast<QWidget*>(label1_[2]), static_cast<QWidget*>(label1_[3])})
        w->show();
    // "Table" has no entry: such a register shows no selection and keeps its type.
    for (int t = 0; t <= 9; ++t)
        combo1_->addItem(NomiTipi[std::size_t(t)]);
    combo1_->setCurrentIndex(-1);
    connect(combo1_, &QComboBox::currentIndexChanged, this, &Input_Box::Combo1_Click);
    const bool inTabella = r >= 0 && r <= NumRegistri && r < kRigheRegistri;
    const Registro* reg = inTabella ? &TabellaRegistri[std::size_t(r)] : nullptr;
    if (reg) {
        label1_[2]->setText(reg->Etichetta);
        if (reg->Formato <= 9)
            combo1_->setCurrentIndex(reg->Formato);
        testo_[0]->setText(reg->Nome);
    }
    const RigheBit righe = RigheBitIniziali(r);
    pBits_[0]->setVisible(righe.riga0);
    pBits_[1]->setVisible(righe.riga1);
    testo_[1]->setText(TestoValoreIniziale(r));
    testo_[0]->setEnabled(NomeModificabile(r));
    const ParoleBit p = ParoleRegistro(r);
    for (int i = 0; i < 16; ++i) {
        mostraBit(i, (p.bassa >> i) & 1);
        mostraBit(16 + i, (p.alta >> i) & 1);
    }
}

void Input_Box::Combo1_Click(int voce)
{
    if (voce < 0)
        return;
    const RigheBit righe = RigheBitPerTipo(voce);
    pBits_[0]->setVisible(righe.riga0);
    pBits_[1]->setVisible(righe.riga1);
}

void Input_Box::mostraBit(int i, bool acceso)
{
    QPushButton* b = bit_[std::size_t(i)];
    acceso_[std::size_t(i)] = acceso;
    b->setText(acceso ? QStringLiteral("1") : QStringLiteral("0"));
    coloraBit(b, acceso ? platform::kVbRed : platform::kVbWhite);
}

void Input_Box::cmd_bit_Click(int i)
{
    if (i < 0 || i >= 32)
        return;
    mostraBit(i, !acceso_[std::size_t(i)]);
    std::uint32_t bit = 0;
    for (int j = 0; j < 32; ++j)
        if (acceso_[std::size_t(j)])
            bit |= std::uint32_t(1) << j;
    testo_[1]->setText(TestoDaBit(bit, !pBits_[0]->isHidden(), !pBits_[1]->isHidden()));
}

void Input_Box::cmd_ok_Click(int indice)
{
    // While a value is being written the buttons wait for its outcome.
    if (chiuso_ || inScrittura_)
        return;
    if (indice == 1 && modo_ == kInputBoxTesto && DialogoInAttesa(Finestra::Input_Box))
        TestoDialogo = testo_[1]->text();
    if (indice == 1 && modo_ == kInputBoxRegistro) {
        QPointer<Input_Box> vivo(this);
        inScrittura_ = true;
        const bool fatto = ConfermaRegistro(indice_, testo_[0]->text(), combo1_->currentIndex(),
                                            testo_[1]->text(), apertura_);
        if (!vivo)
            return;
        inScrittura_ = false;
        if (!fatto)
            return;   // a value the type cannot take: the user corrects it
    }
    chiudi();
}

void Input_Box::chiudi()
{
    chiuso_ = true;
    ChiudiDialogoValori(Finestra::Input_Box);
    if (HostFinestre* host = hostFinestre())
        host->chiudi(Finestra::Input_Box);
}

void Input_Box::closeEvent(QCloseEvent* evento)
{
    if (inScrittura_) {
        evento->ignore();
        return;
    }
    // The close box cancels.
    if (!chiuso_)
        chiudi();
    QWidget::closeEvent(evento);
}

bool Input_Box::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress) {
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        if (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter) {
            cmd_ok_Click(1);
            return true;
        }
    }
    return QWidget::eventFilter(oggetto, evento);
}

} // namespace ludra::ui
