#include "scheduler/EditorScheduler.h"

#include "link/Conversioni.h"
#include "platform/Cp1252.h"
#include "project/Progetto.h"

#include <algorithm>

namespace ludra {

namespace {

int conta()
{
    return std::min(int(Schedulazioni.NumOggetti), kMaxOggettiScheduler);
}

bool slotValido(int i)
{
    return i >= 0 && i <= kMaxOggettiScheduler;
}

void riempiLogger(OggettoScheduler& o, bool secondo)
{
    static constexpr std::uint8_t kOrario[12] = {10, 3, 31, 8, 0, 0, 10, 4, 30, 18, 0, 0};
    for (int i = 0; i < 12; ++i)
        o.Par[std::size_t(i + 1)] = kOrario[i];
    for (int i = 13; i <= 24; ++i)
        o.Par[std::size_t(i)] = 0;
    o.Par[17] = secondo ? 2 : 3;
    o.Par[22] = 1;
    o.Percorso = QStringLiteral("\\Dir%1\\").arg(secondo ? 1 : 0) + QString(5, QChar(0));
    o.Dato1 = secondo ? 1 : 0;
    o.Dato2 = 136;
    o.Dato3 = 35;
    o.Dato4 = secondo ? 2 : 1;
    o.Blocco.Classe = 3;
    o.Blocco.Funzione = 138;
    static constexpr std::uint8_t kPrimo[8] = {0, 1, 2, 3, 4, 5, 6, 127};
    static constexpr std::uint8_t kSecondo[4] = {0, 1, 2, 127};
    if (secondo)
        std::copy(std::begin(kSecondo), std::end(kSecondo), o.Blocco.ArgByte.begin());
    else
        std::copy(std::begin(kPrimo), std::end(kPrimo), o.Blocco.ArgByte.begin());
    o.Blocco.LungDati = secondo ? 4 : 8;
}

} // namespace

bool EditorScheduler::NuovoLogger()
{
    if (conta() > kMaxOggettiScheduler - 2)
        return false;
    for (bool secondo : {false, true}) {
        Schedulazioni.NumOggetti = std::uint8_t(conta() + 1);
        OggettoAttivo = Schedulazioni.NumOggetti;
        riempiLogger(Schedulazioni.Oggetti[OggettoAttivo], secondo);
    }
    return true;
}

void EditorScheduler::CopiaOggetto(int da, int a)
{
    if (slotValido(da) && slotValido(a))
        Schedulazioni.Oggetti[std::size_t(a)] = Schedulazioni.Oggetti[std::size_t(da)];
}

ListaOggetti EditorScheduler::lista()
{
    return {conta(), Schedulazioni.NumOggetti, OggettoAttivo};
}

bool EditorScheduler::DeleteObject(int ogg)
{
    return lista().elimina(ogg, CopiaOggetto);
}

bool EditorScheduler::SpostaIndietro()
{
    return lista().indietro(CopiaOggetto);
}

bool EditorScheduler::SpostaAvanti()
{
    return lista().avanti(CopiaOggetto);
}

std::array<std::uint8_t, kDimCodiceScheduler> CodiceScheduler(const OggettoScheduler& o)
{
    std::array<std::uint8_t, kDimCodiceScheduler> c{};
    for (int i = 1; i <= 24; ++i)
        c[std::size_t(i - 1)] = o.Par[std::size_t(i)];
    // Exactly 11 characters: a shorter directory is padded with 0 bytes.
    const QByteArray percorso = platform::toCp1252(o.Percorso).left(11);
    for (int i = 0; i < percorso.size(); ++i)
        c[std::size_t(24 + i)] = std::uint8_t(percorso[i]);
    c[35] = 0;
    c[36] = o.Dato1;
    c[37] = o.Dato2;
    const CoppiaByte d3 = WordInBytes(o.Dato3).value_or(CoppiaByte{0, 0});
    c[38] = d3[0];
    c[39] = d3[1];
    const CoppiaByte d4 = WordInBytes(o.Dato4).value_or(CoppiaByte{0, 0});
    c[40] = d4[1];
    c[41] = d4[0];
    std::copy(o.Blocco.ArgByte.begin(), o.Blocco.ArgByte.end(), c.begin() + 42);
    return c;
}

void CompilaOggettiScheduler()
{
    SubCorrente = 0;
    for (int i = 1; i <= conta(); ++i) {
        OggettoScheduler& o = Schedulazioni.Oggetti[std::size_t(i)];
        if (o.Blocco.Funzione != 138)
            continue;
        // Only the record's 74 bytes are rebuilt; the spare bytes after them stay.
        const auto codice = CodiceScheduler(o);
        std::copy(codice.begin(), codice.begin() + kByteRecordScheduler, o.Codice.begin());
    }
}

QStringList VociScheduler()
{
    QStringList voci;
    for (int i = 1; i <= conta(); ++i) {
        QString percorso = Schedulazioni.Oggetti[std::size_t(i)].Percorso;
        percorso.remove(QChar(0));
        voci << QStringLiteral("[%1] Logger %2").arg(i).arg(percorso);
    }
    return voci;
}

} // namespace ludra
