#include "projectfiles/Esporta.h"

#include "base/Finestre.h"
#include "base/Testi.h"
#include "fbeditor/TabellaFunzioni.h"
#include "ladder/VistaLadder.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "project/Progetto.h"

#include <QSaveFile>

namespace ludra {
namespace {

const QString kSeparatore = QString(52, QLatin1Char('_'));

void separatore(QStringList& righe)
{
    righe << kSeparatore << QString();
}

} // namespace

QString TestoEsportazione(bool legenda, bool argomenti)
{
    QStringList righe;
    const HostFinestre* host = hostFinestre();
    righe << (host ? host->caption() : QString());
    separatore(righe);
    if (legenda) {
        righe << QStringLiteral("Legend:") << QString(35, QLatin1Char('_'))
              << QStringLiteral("ID[Label  ] Description            ")
              << QStringLiteral("            Function               ")
              << QStringLiteral("                    Arguments      ")
              << QString(35, QLatin1Char('_')) << QString();
        separatore(righe);
    }
    const Sezione& principale = Sezioni[0];
    for (int r = 1; r <= std::clamp<int>(principale.NumRung, 0, kMaxRung); ++r) {
        const Rung& rung = principale.Rung[std::size_t(r)];
        // A line without a description lists none; its placeholder stays in the model.
        const QString descrizione = rung.Descrizione == kDescrizioneVuota ? QString()
                                                                          : rung.Descrizione;
        righe << QString::number(r) + QLatin1Char('[') + rung.Etichetta.leftJustified(10)
                     + QStringLiteral("] ") + descrizione;
        const int codice = FunzToOpt(rung.Classe, rung.Funzione, rung.SubOp);
        righe << QString(14, QLatin1Char(' ')) + NomiFunzioni[std::size_t(codice)];
        if (argomenti) {
            const RigaLadder& riga = Riga(0, r);
            for (std::size_t k = 0; k < 8 && riga.caricata; ++k) {
                if (!riga.lbl_VarN[k].visibile)
                    continue;
                righe << QString(22, QLatin1Char(' ')) + riga.lbl_VarN[k].caption.leftJustified(20)
                             + riga.txt_VarN[k].caption;
            }
        }
        separatore(righe);
    }
    return righe.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

bool EsportaProgramma(bool legenda, bool argomenti, QString& errore, const QString& percorso)
{
    QSaveFile file(percorso.isEmpty() ? QString::fromLatin1(kFileEsportazione) : percorso);
    const QByteArray dati = platform::toCp1252(TestoEsportazione(legenda, argomenti));
    if (!file.open(QIODevice::WriteOnly) || file.write(dati) != dati.size() || !file.commit()) {
        errore = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

void EsportaEApri()
{
    QString errore;
    if (!EsportaProgramma(false, true, errore)) {
        platform::msgBox(QStringLiteral("The listing was not written.\n") + errore,
                         platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        return;
    }
    platform::shell().open(QString::fromLatin1(kFileEsportazione));
}

} // namespace ludra
