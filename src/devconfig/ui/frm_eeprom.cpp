#include "devconfig/ui/frm_eeprom.h"

#include "base/ui/FuocoCampo.h"
#include "link/Sequenza.h"
#include "monitor/Variabili.h"
#include "platform/Waiter.h"
#include "platform/ui/TestoSemplice.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ludra::ui {

namespace {

QLineEdit* campo(QWidget* genitore, const QString& nome, const QString& testo, int larghezza = 70)
{
    auto* e = new QLineEdit(testo, genitore);
    e->setObjectName(nome);
    e->setFixedWidth(larghezza);
    return e;
}

QPushButton* pulsante(QWidget* genitore, const QString& nome, const QString& testo)
{
    auto* b = new QPushButton(testo, genitore);
    b->setObjectName(nome);
    return b;
}

QLabel* etichetta(QWidget* genitore, const QString& testo)
{
    return new platform::Etichetta(testo, genitore);
}

} // namespace

frm_eeprom::frm_eeprom(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frm_eeprom"));
    SeguiCampiRifiutati(this);
    setWindowTitle(QStringLiteral("EEPROM"));
    const CampiEeprom iniziali;

    // MAC
    auto* gMac = new QGroupBox(QStringLiteral("MAC"), this);
    auto* lMac = new QGridLayout(gMac);
    lMac->addWidget(etichetta(gMac, QStringLiteral("189 - 191")), 0, 0, 1, 6);
    lMac->addWidget(etichetta(gMac, QStringLiteral("00-04-A3-")), 1, 0);
    for (int i = 0; i < 3; ++i) {
        txt_MAC[std::size_t(i)] =
            campo(gMac, QStringLiteral("txt_MAC_%1").arg(i), iniziali.txt_MAC[std::size_t(i)], 32);
        txt_MAC[std::size_t(i)]->setMaxLength(2);
    }
    // Left to right: byte 4 in txt_MAC(2), then (1), then (0), a dash between them.
    lMac->addWidget(txt_MAC[2], 1, 1);
    lMac->addWidget(etichetta(gMac, QStringLiteral("-")), 1, 2);
    lMac->addWidget(txt_MAC[1], 1, 3);
    lMac->addWidget(etichetta(gMac, QStringLiteral("-")), 1, 4);
    lMac->addWidget(txt_MAC[0], 1, 5);
    lMac->setColumnStretch(6, 1);
    cmd_MAC[0] = pulsante(gMac, QStringLiteral("cmd_MAC_0"), QStringLiteral("Leggi"));
    cmd_MAC[1] = pulsante(gMac, QStringLiteral("cmd_MAC_1"), QStringLiteral("Scrivi"));
    lMac->addWidget(cmd_MAC[0], 2, 0, 1, 2);
    lMac->addWidget(cmd_MAC[1], 2, 2, 1, 4);

    // Pointers
    auto* gPunt = new QGroupBox(QStringLiteral("Puntatori"), this);
    auto* lPunt = new QGridLayout(gPunt);
    const std::array<QString, 4> nomiPunt = {
        QStringLiteral("Punt Prog (448 - 451)"), QStringLiteral("Dim Prog (452 - 455)"),
        QStringLiteral("Dim Reg Eprom (456 - 459)"), QStringLiteral("Punt Web Pages (460 - 463)")};
    for (int k = 0; k < 4; ++k) {
        txt_punt[std::size_t(k)] = campo(gPunt, QStringLiteral("txt_punt_%1").arg(k),
                                         iniziali.txt_punt[std::size_t(k)], 90);
        lPunt->addWidget(etichetta(gPunt, nomiPunt[std::size_t(k)]), k, 0);
        lPunt->addWidget(txt_punt[std::size_t(k)], k, 1);
    }
    cmd_Puntatori[1] = pulsante(gPunt, QStringLiteral("cmd_Puntatori_1"), QStringLiteral("Leggi"));
    cmd_Puntatori[0] = pulsante(gPunt, QStringLiteral("cmd_Puntatori_0"), QStringLiteral("Scrivi"));
    cmd_SetDefault = pulsante(gPunt, QStringLiteral("cmd_SetDefault"), QStringLiteral("Set Default"));
    auto* bPunt = new QHBoxLayout;
    bPunt->addWidget(cmd_Puntatori[1]);
    bPunt->addWidget(cmd_Puntatori[0]);
    bPunt->addWidget(cmd_SetDefault);
    lPunt->addLayout(bPunt, 4, 0, 1, 2);

    // One published variable
    auto* gWeb = new QGroupBox(QStringLiteral("Registri WEB"), this);
    auto* lWeb = new QGridLayout(gWeb);
    const std::array<QString, 5> nomiWeb = {
        // The table holds 32 entries; the caption gives the range the field accepts.
        QStringLiteral("Puntatore (0-%1)").arg(kMaxVariabili - 1), QStringLiteral("Registro"),
        QStringLiteral("Formato In"), QStringLiteral("Formato Out"), QStringLiteral("Label")};
    for (int i = 0; i < 5; ++i) {
        txt_WebReg[std::size_t(i)] =
            campo(gWeb, QStringLiteral("txt_WebReg_%1").arg(i), QString(), 90);
        lWeb->addWidget(etichetta(gWeb, nomiWeb[std::size_t(i)]), i, 0);
        lWeb->addWidget(txt_WebReg[std::size_t(i)], i, 1);
    }
    cmd_RegistriWEB[0] = pulsante(gWeb, QStringLiteral("cmd_RegistriWEB_0"), QStringLiteral("Scrivi"));
    cmd_RegistriWEB[1] = pulsante(gWeb, QStringLiteral("cmd_RegistriWEB_1"), QStringLiteral("Leggi"));
    auto* bWeb = new QHBoxLayout;
    bWeb->addWidget(cmd_RegistriWEB[1]);
    bWeb->addWidget(cmd_RegistriWEB[0]);
    lWeb->addLayout(bWeb, 5, 0, 1, 2);

    // Raw value
    auto* gVal = new QGroupBox(this);
    auto* lVal = new QGridLayout(gVal);
    txt_start = campo(gVal, QStringLiteral("txt_start"), iniziali.txt_start);
    lVal->addWidget(etichetta(gVal, QStringLiteral("Registro")), 0, 0);
    lVal->addWidget(txt_start, 0, 1);
    auto* opzioni = new QHBoxLayout;
    const std::array<QString, 4> nomiOpt = {QStringLiteral("Byte"), QStringLiteral("Int"),
                                            QStringLiteral("Float"), QStringLiteral("Long")};
    for (int i = 0; i < 4; ++i) {
        Option2[std::size_t(i)] = new QRadioButton(nomiOpt[std::size_t(i)], gVal);
        Option2[std::size_t(i)]->setObjectName(QStringLiteral("Option2_%1").arg(i));
        opzioni->addWidget(Option2[std::size_t(i)]);
    }
    Option2[0]->setChecked(true);
    lVal->addLayout(opzioni, 1, 0, 1, 4);
    txt_valore = campo(gVal, QStringLiteral("txt_valore"), iniziali.txt_valore, 110);
    Command8 = pulsante(gVal, QStringLiteral("Command8"), QStringLiteral(">"));
    Command8->setFixedWidth(28);
    lVal->addWidget(etichetta(gVal, QStringLiteral("Valore decimale")), 2, 0);
    lVal->addWidget(txt_valore, 2, 1);
    lVal->addWidget(Command8, 2, 2);
    auto* byteRiga = new QHBoxLayout;
    const std::array<QString, 4> nomiByte = {QStringLiteral("L"), QStringLiteral("H"),
                                             QStringLiteral("Exp"), QString()};
    const std::array<QString, 4> oggetti = {QStringLiteral("txt_valoreA"), QStringLiteral("txt_valoreB"),
                                            QStringLiteral("txt_valoreC"), QStringLiteral("txt_valoreD")};
    for (int i = 0; i < 4; ++i) {
        txt_valoreAD[std::size_t(i)] =
            campo(gVal, oggetti[std::size_t(i)], iniziali.txt_byte[std::size_t(i)], 40);
        byteRiga->addWidget(etichetta(gVal, nomiByte[std::size_t(i)]));
        byteRiga->addWidget(txt_valoreAD[std::size_t(i)]);
    }
    lVal->addLayout(byteRiga, 3, 0, 1, 4);
    Command1 = pulsante(gVal, QStringLiteral("Command1"), QStringLiteral("Leggi"));
    Command4 = pulsante(gVal, QStringLiteral("Command4"), QStringLiteral("Scrivi"));
    lVal->addWidget(Command1, 4, 0);
    lVal->addWidget(Command4, 4, 1);

    // Copy, logger, image files
    auto* gCopia = new QGroupBox(this);
    auto* lCopia = new QGridLayout(gCopia);
    Text3 = campo(gCopia, QStringLiteral("Text3"), iniziali.Text3);
    Text5 = campo(gCopia, QStringLiteral("Text5"), iniziali.Text5);
    Text4 = campo(gCopia, QStringLiteral("Text4"), iniziali.Text4);
    lCopia->addWidget(etichetta(gCopia, QStringLiteral("da")), 0, 0);
    lCopia->addWidget(Text3, 0, 1);
    lCopia->addWidget(etichetta(gCopia, QStringLiteral("a")), 0, 2);
    lCopia->addWidget(Text5, 0, 3);
    lCopia->addWidget(etichetta(gCopia, QStringLiteral("n bytes")), 0, 4);
    lCopia->addWidget(Text4, 0, 5);
    Command6 = pulsante(gCopia, QStringLiteral("Command6"), QStringLiteral("Copia Eprom"));
    Command2 = pulsante(gCopia, QStringLiteral("Command2"), QStringLiteral("Clear Logger"));
    lCopia->addWidget(Command6, 1, 0, 1, 3);
    lCopia->addWidget(Command2, 1, 3, 1, 3);

    auto* gFile = new QGroupBox(QStringLiteral("EEprom"), this);
    auto* lFile = new QGridLayout(gFile);
    Text1 = campo(gFile, QStringLiteral("Text1"), iniziali.Text1);
    Text2 = campo(gFile, QStringLiteral("Text2"), iniziali.Text2);
    lFile->addWidget(etichetta(gFile, QStringLiteral("da")), 0, 0);
    lFile->addWidget(Text1, 0, 1);
    lFile->addWidget(etichetta(gFile, QStringLiteral("a")), 0, 2);
    lFile->addWidget(Text2, 0, 3);
    Command3 = pulsante(gFile, QStringLiteral("Command3"), QStringLiteral("Leggi EEprom"));
    Command5 = pulsante(gFile, QStringLiteral("Command5"), QStringLiteral("Scrivi EEprom"));
    lFile->addWidget(Command3, 1, 0, 1, 2);
    lFile->addWidget(Command5, 1, 2, 1, 2);

    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(gMac);
    sinistra->addWidget(gPunt);
    sinistra->addWidget(gWeb);
    sinistra->addStretch();
    auto* destra = new QVBoxLayout;
    destra->addWidget(gVal);
    destra->addWidget(gCopia);
    destra->addWidget(gFile);
    destra->addStretch();
    auto* tutto = new QHBoxLayout(this);
    tutto->addLayout(sinistra);
    tutto->addLayout(destra);

    // A command that asks for a file (or tells of a failure) never stands inside a wait
    // for a device's reply: it runs once the reply is in.
    const auto collega = [this](QPushButton* b, auto operazione) {
        connect(b, &QPushButton::clicked, this, [this, operazione] {
            platform::dopoRisposta(this, [this, operazione] { esegui(operazione); });
        });
    };
    collega(cmd_MAC[0], [](CampiEeprom& c) { LeggiMacEeprom(c); });
    collega(cmd_MAC[1], [](CampiEeprom& c) { ScriviMacEeprom(c); });
    collega(cmd_Puntatori[1], [](CampiEeprom& c) { LeggiPuntatori(c); });
    collega(cmd_Puntatori[0], [](CampiEeprom& c) { ScriviPuntatori(c); });
    collega(cmd_SetDefault, [](CampiEeprom& c) { PuntatoriPredefiniti(c); });
    collega(cmd_RegistriWEB[0], [](CampiEeprom& c) { ScriviVoceWeb(c); });
    collega(cmd_RegistriWEB[1], [](CampiEeprom& c) { LeggiVoceWeb(c); });
    collega(Command1, [](CampiEeprom& c) { LeggiValore(c); });
    collega(Command8, [](CampiEeprom& c) { DividiValore(c); });
    collega(Command4, [](CampiEeprom& c) { ScriviValore(c); });
    collega(Command6, [](CampiEeprom& c) { CopiaEeprom(c); });
    collega(Command2, [](CampiEeprom&) { CancellaLogger(); });
    collega(Command3, [](CampiEeprom& c) { EepromInFile(c); });
    collega(Command5, [](CampiEeprom& c) { FileInEeprom(c); });
    // Every change of the decimal value splits it at once.
    const auto dividi = [this] { esegui([](CampiEeprom& c) { DividiValore(c); }); };
    connect(txt_valore, &QLineEdit::textEdited, this, dividi);
    // And so does a change of width (read from the checked box): the bytes of another
    // width would be written under a value they do not make.
    for (QRadioButton* larghezza : Option2)
        connect(larghezza, &QRadioButton::toggled, this, [dividi](bool scelto) {
            if (scelto)
                dividi();
        });
}

CampiEeprom frm_eeprom::campi() const
{
    CampiEeprom c;
    for (std::size_t i = 0; i < 3; ++i)
        c.txt_MAC[i] = txt_MAC[i]->text();
    for (std::size_t i = 0; i < 4; ++i)
        c.txt_punt[i] = txt_punt[i]->text();
    for (std::size_t i = 0; i < 5; ++i)
        c.txt_WebReg[i] = txt_WebReg[i]->text();
    c.txt_start = txt_start->text();
    for (int i = 0; i < 4; ++i)
        if (Option2[std::size_t(i)]->isChecked())
            c.larghezza = Larghezza(i);
    c.txt_valore = txt_valore->text();
    for (std::size_t i = 0; i < 4; ++i)
        c.txt_byte[i] = txt_valoreAD[i]->text();
    c.Text3 = Text3->text();
    c.Text5 = Text5->text();
    c.Text4 = Text4->text();
    c.Text1 = Text1->text();
    c.Text2 = Text2->text();
    return c;
}

void frm_eeprom::mostra(const CampiEeprom& c)
{
    const auto imposta = [](QLineEdit* e, const QString& t) {
        if (e->text() != t)
            e->setText(t);
    };
    for (std::size_t i = 0; i < 3; ++i)
        imposta(txt_MAC[i], c.txt_MAC[i]);
    for (std::size_t i = 0; i < 4; ++i)
        imposta(txt_punt[i], c.txt_punt[i]);
    for (std::size_t i = 0; i < 5; ++i)
        imposta(txt_WebReg[i], c.txt_WebReg[i]);
    imposta(txt_valore, c.txt_valore);
    for (std::size_t i = 0; i < 4; ++i)
        imposta(txt_valoreAD[i], c.txt_byte[i]);
}

template <typename F> void frm_eeprom::esegui(F operazione)
{
    CampiEeprom c = campi();
    QPointer<frm_eeprom> io(this);
    operazione(c);
    // The window may have closed while a request waited.
    if (io)
        mostra(c);
}

void frm_eeprom::closeEvent(QCloseEvent* evento)
{
    // While its sequence runs the window closes only once it has ended.
    if (!ChiusuraFinestraConsentita(Finestra::frm_eeprom)) {
        evento->ignore();
        return;
    }
    QWidget::closeEvent(evento);
}

} // namespace ludra::ui
