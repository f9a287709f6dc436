#include "link/ProgrammiInEsecuzione.h"

#include "base/BarraStato.h"
#include "base/Log.h"

#include <algorithm>

namespace ludra {

std::vector<Bersaglio> ProgrammiInEsecuzione;

namespace {

// The status bar's last panel: what holds the link, and at rest what runs elsewhere.
constexpr int kPannello = 5;

void togli(const Bersaglio& dove)
{
    std::erase_if(ProgrammiInEsecuzione, [&](const Bersaglio& b) { return b.stessoDispositivo(dove); });
}

QString nonFermato(const Bersaglio& b)
{
    return QStringLiteral("The program on %1 was not stopped").arg(b.testo());
}

} // namespace

void ProgrammaAvviato(const Bersaglio& dove)
{
    togli(dove);
    ProgrammiInEsecuzione.push_back(dove);
}

void ProgrammaFermato(const Bersaglio& dove) { togli(dove); }

Bersaglio BersaglioStop()
{
    const Bersaglio ora = BersaglioAttuale();
    const auto p = std::find_if(ProgrammiInEsecuzione.rbegin(), ProgrammiInEsecuzione.rend(),
                                [&](const Bersaglio& b) { return b.stessoCollegamento(ora); });
    if (p == ProgrammiInEsecuzione.rend())
        return ora;
    Bersaglio b = *p;
    b.progetto = ora.progetto;
    return b;
}

bool ProgrammaRaggiungibile()
{
    const Bersaglio ora = BersaglioAttuale();
    return std::any_of(ProgrammiInEsecuzione.begin(), ProgrammiInEsecuzione.end(),
                       [&](const Bersaglio& b) { return b.stessoCollegamento(ora); });
}

void ProgrammiNonFermati(const QString& perche, const Bersaglio& tranne)
{
    QStringList righe;
    for (const Bersaglio& b : ProgrammiInEsecuzione)
        if (!b.stessoDispositivo(tranne))
            righe << nonFermato(b) + QStringLiteral(": ") + perche;
    if (righe.isEmpty())
        return;
    LogStart();
    for (const QString& r : righe)
        LogWrite(r);
    BarraStato::istanza().setPannello(kPannello, righe.join(QStringLiteral("; ")));
}

QString ProgrammiAltrove()
{
    const Bersaglio ora = BersaglioAttuale();
    QStringList righe;
    for (const Bersaglio& b : ProgrammiInEsecuzione)
        if (!b.stessoDispositivo(ora))
            righe << nonFermato(b);
    return righe.join(QStringLiteral("; "));
}

} // namespace ludra
