#include "transfer/ui/frm_dialoga.h"

#include "base/ui/FuocoCampo.h"
#include "link/Monitor.h"
#include "platform/ui/TestoSemplice.h"
#include "transfer/RichiestaManuale.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace ludra::ui {
namespace {

QLineEdit* campoByte(QWidget* parent, const QString& testo)
{
    auto* c = new QLineEdit(testo, parent);
    c->setFixedWidth(c->fontMetrics().horizontalAdvance(QStringLiteral("-2566")) + 12);
    c->setAlignment(Qt::AlignRight);
    return c;
}

} // namespace

frm_dialoga::frm_dialoga(QWidget* parent) : QWidget(parent)
{
    setObjectName(QString::fromLatin1(kNome));
    SeguiCampiRifiutati(this);
    setWindowTitle(QStringLiteral("Terminal"));

    auto* testata = new QGridLayout;
    static const char* const valori[] = {"1", "4", "0", "1", "0", "1", ""};
    for (int i = 0; i <= kCampoConteggio; ++i) {
        auto* etichetta = new platform::Etichetta(NomeCampoComando(i), this);
        etichetta->setAlignment(Qt::AlignCenter);
        testata->addWidget(etichetta, 0, i);
        txt_comando[i] = campoByte(this, QString::fromLatin1(valori[i]));
        testata->addWidget(txt_comando[i], 1, i);
    }

    auto* dati = new QGridLayout;
    dati->addWidget(new platform::Etichetta(QStringLiteral("DATA"), this), 0, 0, 1, 6);
    for (int r = 1; r <= kByteDatiManuali / 2; ++r) {
        const int colonna = r <= 8 ? 0 : 3;
        const int riga = r <= 8 ? r : r - 8;
        auto* numero = new platform::Etichetta(QString::number(r), this);
        numero->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        dati->addWidget(numero, riga, colonna);
        txt_comando[5 + 2 * r] = campoByte(this, QStringLiteral("0"));
        txt_comando[6 + 2 * r] = campoByte(this, QStringLiteral("0"));
        dati->addWidget(txt_comando[5 + 2 * r], riga, colonna + 1);
        dati->addWidget(txt_comando[6 + 2 * r], riga, colonna + 2);
    }
    dati->setColumnMinimumWidth(3, 30);
    for (int i = 0; i < kCampiComando; ++i)
        txt_comando[i]->setObjectName(QStringLiteral("txt_comando_%1").arg(i));

    cmd_invia = new QPushButton(QStringLiteral("Send"), this);
    cmd_start = new QPushButton(QStringLiteral("Start"), this);
    cmd_stop = new QPushButton(QStringLiteral("Stop"), this);
    Text1 = new QLineEdit(this);
    Text1->setReadOnly(true);
    Text1->setAlignment(Qt::AlignRight);
    Text1->setFixedWidth(cmd_invia->sizeHint().width());
    auto* pulsanti = new QVBoxLayout;
    for (QPushButton* p : {cmd_invia, cmd_start, cmd_stop})
        pulsanti->addWidget(p);
    pulsanti->addSpacing(12);
    pulsanti->addWidget(new platform::Etichetta(QStringLiteral("ms"), this));
    pulsanti->addWidget(Text1);
    pulsanti->addStretch();

    auto* centro = new QHBoxLayout;
    centro->addLayout(dati);
    centro->addSpacing(16);
    centro->addLayout(pulsanti);

    txt_buff_rx = new QPlainTextEdit(this);
    txt_buff_rx->setReadOnly(true);
    txt_buff_rx->setFixedHeight(txt_buff_rx->fontMetrics().lineSpacing() * 5 + 12);
    txt_buff_rx->setPlainText(MonitorRisposte::istanza().testo());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(testata);
    layout->addLayout(centro);
    layout->addWidget(txt_buff_rx);

    connect(&MonitorRisposte::istanza(), &MonitorRisposte::cambiato, this,
            [this] { txt_buff_rx->setPlainText(MonitorRisposte::istanza().testo()); });
    connect(cmd_invia, &QPushButton::clicked, this, &frm_dialoga::cmd_invia_Click);
    connect(cmd_start, &QPushButton::clicked, this, &frm_dialoga::cmd_start_Click);
    connect(cmd_stop, &QPushButton::clicked, this, &frm_dialoga::cmd_stop_Click);
}

frm_dialoga::~frm_dialoga()
{
    // The loop notices the window is gone after its request; it must not start another.
    if (ciclaQui_)
        FermaCicloManuale();
}

QStringList frm_dialoga::campi() const
{
    QStringList t;
    for (const QLineEdit* c : txt_comando)
        t << c->text();
    return t;
}

void frm_dialoga::occupa(bool si)
{
    occupata_ = si;
    cmd_invia->setEnabled(!si);
    cmd_start->setEnabled(!si);
}

void frm_dialoga::cmd_invia_Click()
{
    if (occupata_ || CicloManualeInCorso())
        return;
    QPointer<frm_dialoga> io(this);
    occupa(true);
    InviaRichiestaManuale(campi());
    if (io)
        occupa(false);
}

void frm_dialoga::cmd_start_Click()
{
    if (occupata_ || CicloManualeInCorso())
        return;
    chiusa_ = false;
    QPointer<frm_dialoga> io(this);
    occupa(true);
    ciclaQui_ = true;
    CicloManuale ciclo;
    ciclo.aperta = [io] { return !io.isNull() && !io->chiusa_; };
    ciclo.campi = [io] { return io ? io->campi() : QStringList(); };
    ciclo.tempo = [io](qint64 ms) {
        if (io)
            io->Text1->setText(TestoTempoRisposta(ms));
    };
    InviaCiclica(ciclo);
    if (!io)
        return;
    ciclaQui_ = false;
    occupa(false);
}

void frm_dialoga::cmd_stop_Click() { FermaCicloManuale(); }

void frm_dialoga::closeEvent(QCloseEvent* event)
{
    chiusa_ = true;
    if (ciclaQui_)
        FermaCicloManuale();
    QWidget::closeEvent(event);
}

} // namespace ludra::ui
