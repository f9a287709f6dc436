#pragma once
// Projects built line by line for the compiler tests, and the images they must give,
// built from the layout rules byte by byte.
#include "app/Avvio.h"
#include "base/Log.h"
#include "base/Testi.h"
#include "compiler/CodiceProgramma.h"
#include "compiler/Compilatore.h"
#include "display/PagineDisplay.h"
#include "images/Immagini.h"
#include "link/StatoLink.h"
#include "project/Progetto.h"
#include "projectfiles/NuovoProgetto.h"
#include "project/Registri.h"
#include "scheduler/Schedulazioni.h"
#include "support/Banco.h"
#include "support/LogProva.h"
#include "tables/Tabelle.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>

namespace ludra::test {

using Immagine = std::array<std::uint8_t, kDimCodice>;

// A fresh process with the texts of `lingua`, the model `modello` and a new project.
inline void progettoNuovo(const QString& modello = QStringLiteral("KVR5200-IO"),
                          std::uint8_t lingua = kInglese)
{
    AzzeraStatoProcesso();
    ImpostaLingua(lingua);
    Controllore.Modello = modello;
    ImpostaModello();
    PagineDisplay.NumPagine = 1;
    InitProgetto();
    ImpostaRigeneraPagine({});
}

// Little-endian 16-bit argument k, as the editor stores 16-bit values.
inline void arg16(Rung& r, int k, int valore)
{
    r.ArgByte[std::size_t(4 * k)] = std::uint8_t(valore & 0xFF);
    r.ArgByte[std::size_t(4 * k + 1)] = std::uint8_t((valore >> 8) & 0xFF);
}

inline Rung comunicazione(int classe, int nodo, int remoto, int quanti, int locale, int ritardo)
{
    Rung r = RungVuoto();
    r.Classe = std::int16_t(classe);
    arg16(r, 0, nodo);
    arg16(r, 1, remoto);
    arg16(r, 2, quanti);
    arg16(r, 3, locale);
    arg16(r, 4, ritardo & 0xFF);
    arg16(r, 5, ritardo >> 8);
    return r;
}

// A local operation whose argument bytes count up from `seme`, so every byte is told
// apart in the image.
inline Rung locale(int funzione, int lungDati, int seme = 1, int subOp = 0)
{
    Rung r = RungVuoto();
    r.Classe = kClasseLocale;
    r.Funzione = std::int16_t(funzione);
    r.SubOp = std::uint8_t(subOp);
    r.LungDati = std::int16_t(lungDati);
    for (std::size_t i = 0; i < r.ArgByte.size(); ++i)
        r.ArgByte[i] = std::uint8_t((seme + int(i)) & 0xFF);
    return r;
}

inline Rung salto(int funzione, const QString& vero, const QString& falso = QString())
{
    Rung r = locale(funzione, 14);
    r.ArgTesto[4] = vero;
    r.ArgTesto[5] = falso;
    return r;
}

inline Rung etichettata(Rung r, const QString& etichetta)
{
    r.Etichetta = etichetta;
    return r;
}

// Lines 1..n of unit `u`.
inline void programma(int u, const std::vector<Rung>& righe)
{
    Sezione& s = Sezioni[std::size_t(u)];
    s.NumRung = std::int16_t(righe.size());
    for (std::size_t i = 0; i < righe.size(); ++i)
        s.Rung[i + 1] = righe[i];
}

// Display page p (from 0) with n objects, and the unit the designer compiles from it:
// one 34-byte line per object, the first labelled "PAG" and the page number, then a
// Return line.
inline void pagina(int p, int oggetti)
{
    PagineDisplay.Pagine[std::size_t(p)].NumOggetti = std::uint8_t(oggetti);
    std::vector<Rung> righe;
    for (int i = 0; i < oggetti; ++i)
        righe.push_back(locale(3, 34, 16 * p + i));
    righe.push_back(locale(132, 2, 200));
    righe[0].Etichetta = QStringLiteral("PAG") + QString::number(p + 1);
    programma(p + 1, righe);
}

// A logger object whose Blocco line has data length l and whose code bytes count up.
inline void logger(int indice, int l, int seme = 100)
{
    OggettoScheduler& o = Schedulazioni.Oggetti[std::size_t(indice)];
    o.Blocco = locale(138, l);
    for (std::size_t i = 0; i < o.Codice.size(); ++i)
        o.Codice[i] = std::uint8_t((seme + int(i)) & 0xFF);
}

inline void immagine(int i, int byte, int seme)
{
    Img& img = Immagini[std::size_t(i)];
    img.NumByte = std::int16_t(byte);
    for (int k = 0; k < kMaxByteImmagine; ++k)
        img.Bitmap[std::size_t(k)] = std::uint8_t((seme + k) & 0xFF);
}

// The image a compile must give, written by the layout rules.
struct Atteso {
    Immagine b{};

    void intestazione(int programma, int scheduler)
    {
        b[0] = std::uint8_t(programma);
        b[2] = std::uint8_t(scheduler);
    }
    void comunicazione(int k, const Rung& r)
    {
        const auto& a = r.ArgByte;
        const std::array<std::uint8_t, 10> rec{std::uint8_t(r.Classe), a[0], a[5], a[4], a[8],
                                               a[13], a[12], a[16], a[20],
                                               std::uint8_t(r.Break ? 1 : 0)};
        std::copy(rec.begin(), rec.end(), b.begin() + 4 + 10 * k);
    }
    void recordLocale(int k, int sequenza, int indirizzo, int lunghezza, bool brk = false)
    {
        const int o = 4 + 10 * k;
        b[std::size_t(o)] = 3;
        b[std::size_t(o + 1)] = std::uint8_t(sequenza);
        b[std::size_t(o + 2)] = 0;
        b[std::size_t(o + 3)] = std::uint8_t(indirizzo & 0xFF);
        b[std::size_t(o + 4)] = std::uint8_t((indirizzo >> 8) & 0xFF);
        b[std::size_t(o + 5)] = 0;
        b[std::size_t(o + 6)] = 0;
        b[std::size_t(o + 7)] = std::uint8_t(lunghezza);
        b[std::size_t(o + 8)] = 0;
        b[std::size_t(o + 9)] = brk ? 1 : 0;
    }
    // All 34 bytes of a local block.
    void blocco(int indirizzo, const Rung& r)
    {
        b[std::size_t(indirizzo)] = std::uint8_t(r.Funzione);
        b[std::size_t(indirizzo + 1)] = 0;
        std::copy(r.ArgByte.begin(), r.ArgByte.end(), b.begin() + indirizzo + 2);
    }
    // A whole local line: record k, block at indirizzo; returns the next address.
    int riga(int k, int sequenza, int indirizzo, const Rung& r)
    {
        recordLocale(k, sequenza, indirizzo, r.LungDati, r.Break);
        blocco(indirizzo, r);
        return indirizzo + r.LungDati;
    }
    int scheduler(int k, int sequenza, int indirizzo, const OggettoScheduler& o)
    {
        const int l = o.Blocco.LungDati + 44;
        recordLocale(k, sequenza, indirizzo, l);
        b[std::size_t(indirizzo)] = std::uint8_t(o.Blocco.Funzione);
        b[std::size_t(indirizzo + 1)] = 0;
        std::copy_n(o.Codice.begin(), l - 2, b.begin() + indirizzo + 2);
        return indirizzo + l;
    }
    void bitmap(int indirizzo, const Img& img)
    {
        std::copy_n(img.Bitmap.begin(), img.NumByte, b.begin() + indirizzo);
    }
};

// Empty when equal, else the first differing offset with both values.
inline QString differenza(const Immagine& atteso)
{
    for (int i = 0; i < kDimCodice; ++i)
        if (atteso[std::size_t(i)] != CodiceProgramma[std::size_t(i)])
            return QStringLiteral("offset %1: expected %2, got %3")
                .arg(i)
                .arg(atteso[std::size_t(i)])
                .arg(CodiceProgramma[std::size_t(i)]);
    return {};
}

inline QStringList rapportoOk(int byte, int percento, bool italiano = false)
{
    return {italiano ? QStringLiteral("  Compilazione in corso") : QStringLiteral("  Compiling"),
            italiano ? QStringLiteral("  Controllo errori : OK")
                     : QStringLiteral("  Error check : OK"),
            italiano ? QStringLiteral("  Utilizzo Risorse :")
                     : QStringLiteral("  Resource usage :"),
            QStringLiteral("    %1 / 5634 Bytes (%2%)").arg(byte).arg(percento),
            italiano ? QStringLiteral("  Compilato") : QStringLiteral("  Compiled")};
}

// Line n of unit u is 100u + n; 0 is the project.
inline QStringList rapportoErrore(const QList<QPair<int, QString>>& voci)
{
    QStringList righe{QStringLiteral("  Error check : Error"),
                      QStringLiteral("  Impossible to compile")};
    for (const auto& v : voci)
        righe << (v.first ? QStringLiteral("   - Function Block %1").arg(v.first % 100) + (v.first > 100 ? QStringLiteral(" (Sub%1)").arg(v.first / 100) : QString()) : QStringLiteral("   - Project")) + " : " + v.second;
    return righe;
}

} // namespace ludra::test
