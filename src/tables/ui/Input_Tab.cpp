#include "tables/ui/Input_Tab.h"

#include "app/Testi.h"
#include "monitor/DialogoValori.h"
#include "platform/Twips.h"
#include "tables/InputTab.h"
#include "tables/Tabelle.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>

namespace ludra::ui {

using platform::twipsToPx;

namespace {

void posiziona(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height));
}

const QString kNomeFinestra = QString::fromLatin1(Input_Tab::kNome);

} // namespace

Input_Tab::Input_Tab(QWidget* parent) : QWidget(parent)
{
    setObjectName(kNomeFinestra);
    setFixedSize(twipsToPx(3600), twipsToPx(4200));

    frame1_ = new QGroupBox(this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    posiziona(frame1_, 120, 60, 3360, 3420);
    lista_ = new QListWidget(frame1_);
    lista_->setObjectName(QStringLiteral("ListaTab"));
    posiziona(lista_, 120, 300, 3120, 3000);

    ok_[0] = new QPushButton(QStringLiteral("Annulla"), this);
    ok_[0]->setObjectName(QStringLiteral("cmd_ok_0"));
    ok_[1] = new QPushButton(QStringLiteral("OK"), this);
    ok_[1]->setObjectName(QStringLiteral("cmd_ok_1"));
    posiziona(ok_[0], 960, 3600, 1140, 420);
    posiziona(ok_[1], 2220, 3600, 1140, 420);
    connect(ok_[0], &QPushButton::clicked, this, [this] { cmd_ok_Click(0); });
    connect(ok_[1], &QPushButton::clicked, this, [this] { cmd_ok_Click(1); });
    connect(qGuiApp, &QGuiApplication::lastWindowClosed, this, [this] { cmd_ok_Click(0); });

    // Load: captions, the list of tables, the one chosen so far (none when the index
    // is outside the list).
    SetRes();
    FinestreCaricate::istanza().registra(this);
    lista_->addItems(NomiTabelle());
    if (InputTab.TabAttiva >= 0 && InputTab.TabAttiva < lista_->count())
        lista_->setCurrentRow(InputTab.TabAttiva);
    else
        lista_->setCurrentRow(-1);
}

Input_Tab::~Input_Tab()
{
    FinestreCaricate::istanza().rimuovi(this);
    if (!chiuso_)
        ChiudiDialogoValori(kNomeFinestra);
}

void Input_Tab::SetRes()
{
    setWindowTitle(Testi.t(80));
    frame1_->setTitle(Testi.t(85));
}

void Input_Tab::cmd_ok_Click(int indice)
{
    if (chiuso_)
        return;
    if (indice == 1) {
        const QList<QListWidgetItem*> scelte = lista_->selectedItems();
        InputTab.TabAttiva = std::int16_t(scelte.isEmpty() ? -1 : lista_->row(scelte.first()));
    }
    chiudi();
}

void Input_Tab::chiudi()
{
    chiuso_ = true;
    ChiudiDialogoValori(kNomeFinestra);
    if (HostFinestre* host = hostFinestre())
        host->chiudi(kNomeFinestra);
}

void Input_Tab::closeEvent(QCloseEvent* evento)
{
    // The close box cancels.
    if (!chiuso_)
        chiudi();
    QWidget::closeEvent(evento);
}

} // namespace ludra::ui
