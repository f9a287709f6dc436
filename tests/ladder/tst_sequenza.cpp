// Random sequences of line commands against a plain reference of the unit: the lines'
// order and content, the cursor, the copy and the undo record, and the rows drawn for
// them, must agree after every step.
#include "base/BarraStrumenti.h"
#include "app/Comandi.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "project/Progetto.h"
#include "support/Banco.h"
#include "support/Ladder.h"

#include <QRandomGenerator>
#include <QtTest>
#include <optional>

using namespace ludra;
using namespace ludra::test;

namespace {

struct Linea {
    QString tag;   // "" for a blank line
    bool brk = false;
};

struct Riferimento {
    std::vector<Linea> linee;
    int cur = 1;
    std::optional<Linea> copia;
    bool undoValido = false;
    bool undoCancellazione = false;
    int undoIndice = 0;
    Linea undoLinea;

    int n() const { return int(linee.size()); }
    void apri(int pos)   // a blank line becomes line pos + 1
    {
        linee.insert(linee.begin() + pos, Linea{});
        cur = pos + 1;
        undoValido = false;
    }
};

QString attese(const Riferimento& r)
{
    QStringList out;
    for (const Linea& l : r.linee)
        out << (l.tag.isEmpty() ? QStringLiteral("_") : l.tag);
    return out.join(QLatin1Char(','));
}

QString breakAttesi(const Riferimento& r)
{
    QString s;
    for (const Linea& l : r.linee)
        s += l.brk ? QLatin1Char('b') : QLatin1Char('.');
    return s;
}

QString breakVeri()
{
    QString s;
    for (int i = 1; i <= Sezioni[0].NumRung; ++i)
        s += Sezioni[0].Rung[std::size_t(i)].Break ? QLatin1Char('b') : QLatin1Char('.');
    return s;
}

// Rows from the top position on follow each other at the format's pitch while the
// previous panel ends above the main window's bottom; every other row is parked.
QString violazioneLayout()
{
    const int v = Vista().VScroll.valore;
    const int n = Sezioni[0].NumRung;
    const int passo = PassoRighe(0);
    const int alto = passo == 1800 ? 1515 : 400;
    std::vector<int> attesi(std::size_t(n + 1), 200 - passo);
    int fondo = v == 0 ? 120 + 1515 : 200 - passo + alto;   // the row before the top one
    for (int k = v + 1; k <= n && fondo < Vista().altezzaPrincipale; ++k) {
        attesi[std::size_t(k)] = 200 + (k - v - 1) * passo;
        fondo = attesi[std::size_t(k)] + alto;
    }
    for (int i = 1; i <= n; ++i)
        if (Riga(0, i).topPannello != attesi[std::size_t(i)])
            return QStringLiteral("row %1 at %2, expected %3 (position %4)")
                .arg(i)
                .arg(Riga(0, i).topPannello)
                .arg(attesi[std::size_t(i)])
                .arg(v);
    return {};
}

} // namespace

class TestSequenza : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(Banco::Doppi::Tutti, Banco::Avvio::Progetto); }
    void cleanup() { banco_.chiudi(); }
    void sequenzeCasuali_data();
    void sequenzeCasuali();

private:
    Banco banco_;
};

void TestSequenza::sequenzeCasuali_data()
{
    QTest::addColumn<quint32>("seme");
    QTest::addColumn<int>("pesoInserimenti");
    for (quint32 s = 1; s <= 24; ++s)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(s))) << s << (s % 4 == 0 ? 60 : 22);
}

void TestSequenza::sequenzeCasuali()
{
    QFETCH(quint32, seme);
    QFETCH(int, pesoInserimenti);
    banco_.dialogs.predefinita = platform::MsgResult::Ok;
    QRandomGenerator rng(seme);
    Riferimento rif;
    rif.linee = {Linea{}};
    int prossimoTag = 0;
    int piuLunga = 0;

    for (int passo = 0; passo < 400; ++passo) {
        QString op;
        const int x = int(rng.bounded(100));
        if (x < pesoInserimenti)
            op = rng.bounded(2) ? QStringLiteral("rung_add_after") : QStringLiteral("rung_add_before");
        else {
            static const char* altri[] = {"rung_del", "rung_move_up", "rung_move_down", "rung_copy",
                                          "rung_paste", "rung_redo", "rung_break", "rung_mod",
                                          "sel", "sel", "write", "write", "format", "scroll",
                                          "focus", "mnu_FB_Delete", "new", "close"};
            op = QString::fromLatin1(altri[rng.bounded(int(std::size(altri)))]);
            // New and Close are rare, so that units grow.
            if ((op == QLatin1String("new") || op == QLatin1String("close")) && rng.bounded(8))
                op = QStringLiteral("sel");
        }
        const int n = rif.n();
        bool layout = false;

        if (op == QLatin1String("rung_add_after") || op == QLatin1String("rung_add_before")) {
            Toolbar1_ButtonClick(op);
            if (n < kMaxRung) {
                const bool prima = op == QLatin1String("rung_add_before");
                rif.apri(rif.cur == 0 ? 0 : (prima ? rif.cur - 1 : rif.cur));
            }
        } else if (op == QLatin1String("rung_del") || op == QLatin1String("mnu_FB_Delete")) {
            if (op == QLatin1String("rung_del"))
                Toolbar1_ButtonClick(op);
            else
                ClickMenu(op);
            if (rif.cur >= 1) {
                rif.undoValido = true;
                rif.undoCancellazione = true;
                rif.undoIndice = rif.cur;
                rif.undoLinea = rif.linee[std::size_t(rif.cur - 1)];
                rif.linee.erase(rif.linee.begin() + rif.cur - 1);
                if (rif.cur > rif.n())
                    rif.cur = rif.n();
            }
        } else if (op == QLatin1String("rung_move_up") || op == QLatin1String("rung_move_down")) {
            Toolbar1_ButtonClick(op);
            const int dst = op == QLatin1String("rung_move_up") ? rif.cur - 1 : rif.cur + 1;
            if (rif.cur >= 1 && dst >= 1 && dst <= n) {
                std::swap(rif.linee[std::size_t(rif.cur - 1)], rif.linee[std::size_t(dst - 1)]);
                rif.cur = dst;
                rif.undoValido = false;
                rif.copia.reset();
            }
        } else if (op == QLatin1String("rung_copy")) {
            Toolbar1_ButtonClick(op);
            if (rif.cur >= 1) {
                rif.copia = rif.linee[std::size_t(rif.cur - 1)];
                rif.undoValido = false;
            }
        } else if (op == QLatin1String("rung_paste")) {
            Toolbar1_ButtonClick(op);
            if (rif.cur >= 1 && rif.copia) {
                rif.undoValido = true;
                rif.undoCancellazione = false;
                rif.undoIndice = rif.cur;
                rif.undoLinea = rif.linee[std::size_t(rif.cur - 1)];
                rif.linee[std::size_t(rif.cur - 1)] = *rif.copia;
            }
        } else if (op == QLatin1String("rung_redo")) {
            Toolbar1_ButtonClick(op);
            if (rif.undoValido) {
                rif.undoValido = false;
                const int i = rif.undoIndice;
                if (rif.undoCancellazione && i >= 1 && i <= n + 1 && n < kMaxRung) {
                    rif.linee.insert(rif.linee.begin() + i - 1, rif.undoLinea);
                    rif.cur = i;
                } else if (!rif.undoCancellazione && i >= 1 && i <= n) {
                    rif.linee[std::size_t(i - 1)] = rif.undoLinea;
                    rif.cur = i;
                }
            }
        } else if (op == QLatin1String("rung_break")) {
            Toolbar1_ButtonClick(op);
            if (rif.cur >= 1)
                rif.linee[std::size_t(rif.cur - 1)].brk = !rif.linee[std::size_t(rif.cur - 1)].brk;
        } else if (op == QLatin1String("rung_mod")) {
            Toolbar1_ButtonClick(op);
            if (rif.cur >= 1)
                rif.undoValido = false;
        } else if (op == QLatin1String("sel")) {
            if (n > 0) {
                const int i = 1 + int(rng.bounded(n));
                Riga_Click(i);
                rif.cur = i;
            }
        } else if (op == QLatin1String("write")) {
            if (rif.cur >= 1) {
                const QString t = QStringLiteral("T%1").arg(++prossimoTag);
                scriviLinea(rif.cur, t);
                rif.linee[std::size_t(rif.cur - 1)].tag = t;
            }
        } else if (op == QLatin1String("format")) {
            cmd_Formato_Click();
            layout = true;
        } else if (op == QLatin1String("scroll")) {
            ImpostaScroll(int(rng.bounded(n + 2)));
            layout = true;
        } else if (op == QLatin1String("focus")) {
            if (n > 0) {
                const int i = 1 + int(rng.bounded(n));
                txt_desc_GotFocus(i);
                rif.cur = i;
            }
        } else if (op == QLatin1String("new")) {
            Toolbar1_ButtonClick(QStringLiteral("proj_new"));
            rif = Riferimento{};
            rif.linee = {Linea{}};
        } else if (op == QLatin1String("close")) {
            ClickMenu(QStringLiteral("mnu_close"));
            rif = Riferimento{};
            rif.cur = 0;
        }

        piuLunga = std::max(piuLunga, rif.n());
        const QString dove = QStringLiteral("seed %1 step %2 (%3)").arg(seme).arg(passo).arg(op);
        QVERIFY2(violazione().isEmpty(), qPrintable(dove + QStringLiteral(": ") + violazione()));
        QVERIFY2(etichette() == attese(rif),
                 qPrintable(dove + QStringLiteral(": ") + etichette() + QStringLiteral(" != ") + attese(rif)));
        QVERIFY2(breakVeri() == breakAttesi(rif), qPrintable(dove + QStringLiteral(": breakpoints")));
        QVERIFY2(RungCorrente == rif.cur,
                 qPrintable(dove + QStringLiteral(": cursor %1 != %2").arg(RungCorrente).arg(rif.cur)));
        QVERIFY2(CopiaDisponibile() == rif.copia.has_value(), qPrintable(dove + QStringLiteral(": copy")));
        QVERIFY2(RipristinoDisponibile() == rif.undoValido, qPrintable(dove + QStringLiteral(": undo")));
        if (rif.copia)
            QVERIFY2(Sezioni[0].Rung[0].Etichetta == rif.copia->tag, qPrintable(dove + QStringLiteral(": line 0")));
        if (layout) {
            const QString l = violazioneLayout();
            QVERIFY2(l.isEmpty(), qPrintable(dove + QStringLiteral(": ") + l));
        }
    }
    // The insert-heavy runs reach the full unit.
    if (pesoInserimenti > 50)
        QCOMPARE(piuLunga, kMaxRung);
}

QTEST_GUILESS_MAIN(TestSequenza)
#include "tst_sequenza.moc"
