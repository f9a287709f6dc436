#include "compiler/Rapporto.h"

#include "base/Log.h"
#include "base/Testi.h"
#include "compiler/CodiceProgramma.h"
#include "project/Progetto.h"
#include "project/Registri.h"

#include <QFileInfo>

namespace ludra {

namespace {

enum TestoRapporto {
    kControlloErrori = 44,
    kErrore = 45,
    kUtilizzoRisorse = 46,
    kCompilazione = 49,
    kCompilato = 50,
    kImpossibile = 51,
};

// Where an error lies: the project for a fault of the whole, else the line, with its
// unit when that is not the main program.
QString origine(const ErroreCompilazione& e)
{
    if (e.Sezione == kSezioneProgetto) {
        const QString nome = QFileInfo(NomeProgetto).fileName();
        return nome.isEmpty() ? QStringLiteral("Project") : nome;
    }
    QString testo = QStringLiteral("Function Block ") + QString::number(e.Rung);
    if (e.Sezione > 0)
        testo += QStringLiteral(" (Sub") + QString::number(e.Sezione) + QLatin1Char(')');
    return testo;
}

void elencoErrori()
{
    LogWrite(Testi.t(kControlloErrori) + QStringLiteral(" : ") + Testi.t(kErrore));
    LogWrite(Testi.t(kImpossibile));
    for (int i = 0; i < NumErrori && i < kMaxErrori; ++i) {
        const ErroreCompilazione& e = Errori[std::size_t(i)];
        LogWrite(QStringLiteral(" - ") + origine(e) + QStringLiteral(" : ") + e.Messaggio);
    }
}

} // namespace

void RapportoSuccesso(std::int32_t byteInUso)
{
    LogStart();
    LogWrite(Testi.t(kCompilazione));
    LogWrite(Testi.t(kControlloErrori) + QStringLiteral(" : OK"));
    LogWrite(Testi.t(kUtilizzoRisorse) + QStringLiteral(" :"));
    // The use may pass 100%: the area past the program area still compiles.
    const qint64 percento = DimProg > 0 ? qint64(byteInUso) * 100 / DimProg : 0;
    LogWrite(QStringLiteral("  ") + QString::number(byteInUso) + QStringLiteral(" / ") +
             QString::number(DimProg) + QStringLiteral(" Bytes") + QStringLiteral(" (") +
             QString::number(percento) + QStringLiteral("%)"));
    LogWrite(Testi.t(kCompilato));
}

void RapportoErrori()
{
    LogStart();
    LogWrite(Testi.t(kCompilazione));
    elencoErrori();
}

void RapportoGuasto()
{
    elencoErrori();
}

} // namespace ludra
