#include "resources/StringTable.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace ludra::resources {
namespace {

// One key, its Italian and its English text. Keys 47, 48, 63 and 79 have no text.
struct KeyText {
    int key;
    const char* italian;
    const char* english;
};

constexpr KeyText kKeyTexts[] = {
    {0, "Domenica", "Sunday"},
    {1, "Lunedì", "Monday"},
    {2, "Martedì", "Tuesday"},
    {3, "Mercoledì", "Wednesday"},
    {4, "Giovedì", "Thursday"},
    {5, "Venerdì", "Friday"},
    {6, "Sabato", "Saturday"},
    {7, "Gennaio", "January"},
    {8, "Febbraio", "February"},
    {9, "Marzo", "March"},
    {10, "Aprile", "April"},
    {11, "Maggio", "May"},
    {12, "Giugno", "June"},
    {13, "Luglio", "July"},
    {14, "Agosto", "August"},
    {15, "Settembre", "September"},
    {16, "Ottobre", "October"},
    {17, "Novembre", "November"},
    {18, "Dicembre", "December"},
    {19, "Progetto", "Project"},
    {20, "Nuovo", "New"},
    {21, "Apri...", "Open..."},
    {22, "Chiudi", "Close"},
    {23, "Salva", "Save"},
    {24, "Salva come...", "Save as..."},
    {25, "Esci", "Exit"},
    {26, "Impostazioni", "Settings"},
    {27, "Controllore", "Controller"},
    {28, "Workspace", "Workspace"},
    {29, "Visualizza", "View"},
    {30, "Progetto", "Project"},
    {31, "Programma", "Program"},
    {32, "Registri", "Registers"},
    {33, "Log", "Log"},
    {34, "Strumenti", "Tools"},
    {35, "Ricerca", "Search"},
    {36, "Immagini", "Immages"},
    {37, "Configura", "Config"},
    {38, "Variabili", "Variables"},
    {39, "Modbus", "Modbus"},
    {40, "Display", "Display"},
    {41, "Tabelle", "Tables"},
    {42, "?", "?"},
    {43, "Informazioni", "About"},
    {44, "Controllo errori", "Error check"},
    {45, "Errore", "Error"},
    {46, "Utilizzo Risorse", "Resource usage"},
    {49, "Compilazione in corso", "Compiling"},
    {50, "Compilato", "Compiled"},
    {51, "Impossibile compilare", "Impossible to compile"},
    {52, "Errore Etichetta", "Label Error"},
    {53, "Programma", "Program"},
    {54, "Tabella Registri", "Registers Table"},
    {55, "Registro", "Register"},
    {56, "Nome", "Name"},
    {57, "Valore", "Value"},
    {58, "Tipo", "Type"},
    {59, "Imposta Registro", "Set Register"},
    {60, "Funzioni", "Functions"},
    {61, "Funzioni", "Functions"},
    {62, "Opzioni", "Options"},
    {64, "Indirizzo", "Address"},
    {65, "Regisro", "Register"},
    {66, "Numero", "Number"},
    {67, "Dest", "Dest"},
    {68, "Ritardo", "Delay"},
    {69, "Sorgente", "Source"},
    {70, "Dispositivo", "Device"},
    {71, "Risorsa", "Resource"},
    {72, "Da", "From"},
    {73, "A", "To"},
    {74, "Maschera", "Mask"},
    {75, "Funzione", "Function"},
    {76, "Blocco", "Block"},
    {77, "Se Vero Goto", "Goto if True"},
    {78, "Se Falso Goto", "Goto if False"},
    {80, "Tabelle", "Tables"},
    {81, "Tabella", "Table"},
    {82, "Nome", "Name"},
    {83, "N Punti", "N Points"},
    {84, "Elenco Punti", "Point List"},
    {85, "Lista Tabelle", "Table List"},
    {86, "Carica da File", "Load from File"},
    {87, "Salva su File", "Save to File"},
    {88, "Impostazioni", "Settings"},
    {89, "Controllore", "Controller"},
    {90, "Tipo", "Type"},
    {91, "Nodo ID", "Node ID"},
    {92, "Canale", "Channel"},
    {93, "Ethernet", "Ethernet"},
    {94, "Porta COM", "COM Port"},
    {95, "Indirizzo IP", "IP Address"},
    {96, "Porta", "Port"},
    {97, "Workspace", "Workspace"},
    {98, "Modalità Debug", "Debug Mode"},
    {99, "Agg. continuo registri", "Automatic reg. update"},
    {100, "Velocità 'Animate'", "'Animate' time"},
    {101, "Ricerca Dispositivi", "Search Devices"},
    {102, "Porta", "Port"},
    {103, "Timeout", "Timeout"},
    {104, "Indirizzi", "Address"},
    {105, "Da:", "From:"},
    {106, "A:", "To:"},
    {107, "Baud Rate", "Baud Rate"},
    {108, "Cerca", "Search"},
    {109, "Termina", "Stop"},
    {110, "Cerca Nodi Slave", "Search Slave Nodes"},
    {111, "Configura Dispositivi", "Configure Devices"},
    {112, "Indirizzo", "Address"},
    {113, "Tipo", "Type"},
    {114, "Aggiorna", "Update"},
    {115, "Avvia", "Start"},
    {116, "Ferma", "Stop"},
    {117, "Prog", "Prog"},
    {118, "Comm", "Comm"},
    {119, "Eventi", "Events"},
    {120, "I/O", "I/O"},
    {121, "RTCC", "RTCC"},
    {122, "Display", "Display"},
    {123, "Indirizzo", "Address"},
    {124, "ID Modulo", "ID Modulo"},
    {125, "Nome Modulo", "Nome Modulo"},
    {126, "Accensione", "PowerUp"},
    {127, "WatchDog", "WatchDog"},
    {128, "Modo", "Mode"},
    {129, "POS", "POS"},
    {130, "NEG", "NEG"},
    {131, "Luminosità", "Brightness"},
    {132, "Contrasto", "Contrast"},
    {133, "Slave", "Slave"},
    {134, "Master", "Master"},
    {135, "Baud Rate", "Baud Rate"},
    {136, "Ritardo", "Delay"},
    {137, "WDT", "WDT"},
    {138, "Abil.WDT", "En.WDT"},
    {139, "Ingressi Analogici", "Analog Inputs"},
    {140, "Tipo Ingresso", "Input Type"},
    {141, "Abil.", "En."},
    {142, "Valore Ingresso", "Input Value"},
    {143, "Break", "Break"},
    {144, "Sync", "Sync"},
    {145, "Sync", "Sync"},
    {146, "Uscite Analogiche", "Analog Outputs"},
    {147, "Tipo", "Type"},
    {148, "Valore Uscita", "Output Value"},
    {149, "Valore Sicuro", "Safe Value"},
    {150, "Ingressi Digitali", "Digital Inputs"},
    {151, "Uscite Digitali", "Digital Outputs"},
    {152, "Latch", "Latch"},
    {153, "Azzera Latch", "Clear Latch"},
    {154, "Accens.", "PwrUp"},
    {155, "Sicuro", "Safe"},
    {156, "Variabili", "Variables"},
    {157, "ID", "ID"},
    {158, "Reg", "Reg"},
    {159, "Tipo", "Type"},
    {160, "Formato", "Format"},
    {161, "Etichetta", "Label"},
    {162, "Leggi", "Update"},
    {163, "Scrivi", "Write"},
    {164, "Display", "Display"},
    {165, "Pagine", "Pages"},
    {166, "Oggetti", "Objects"},
    {167, "Posizione", "Position"},
    {168, "Inverso", "Reverse"},
    {169, "Bit [0÷15]", "Bit [0÷15]"},
    {170, "Immagine", "Picture"},
    {171, "Esporta", "Export"},
    {172, "Salvare i cambiamenti?", "Do you want to save your changes?"},
};

struct IdText {
    int id;
    const char* text;
};

constexpr IdText kOtherTexts[] = {
    {500, "Ludra"},
    {501, "1.0"},
    {503, "Development and Test IDE for QUINTAR products"},
    {504, "Development and Test IDE for QUINTAR products"},
    {505, "MT_ITA_Ludra.pdf"},
    {506, "MT_ENG_Ludra.pdf"},
    {900, "Lingua"},
    {901, "Language"},
    {902, "Italiano"},
    {903, "English"},
};

// Function-block names by editor code; one set for both languages.
constexpr const char* kFunctionNames[] = {
    "Read Holding", "Write", "Read KVR1000", "Scale", "Add", "Sub", "A>B", "Move", "SQRT",
    "Write KVR1000", "Compare", "Goto", " ", "If(bit) -> Goto", "Call", "Return", "Timer",
    "Bit Set", "Mult", "Div", "Trip", "AND(word)", "OR(word)", "XOR(word)", "NOT", "Shift R",
    "Shift L", "Rotate R", "Rotate L", "Average", "Linearization", "Read/Write", "ABS",
    "AND(bit)", "OR(bit)", "XOR(bit)", "Bit Set", "Bit Reset", "e^(x)", "x^y", "Read Input",
    "Log Write", "If(bit) -> Call", "Call Page", "Display Refresh", "Clear WatchDog",
    "Block Move"};
static_assert(std::size(kFunctionNames) == 47);

const std::unordered_map<int, QString>& table()
{
    static const std::unordered_map<int, QString> map = [] {
        std::unordered_map<int, QString> m;
        for (const KeyText& k : kKeyTexts) {
            m.emplace(kItalianBase + k.key, QString::fromUtf8(k.italian));
            m.emplace(kEnglishBase + k.key, QString::fromUtf8(k.english));
        }
        for (const IdText& t : kOtherTexts)
            m.emplace(t.id, QString::fromUtf8(t.text));
        for (int code = 0; code < int(std::size(kFunctionNames)); ++code)
            m.emplace(kFunctionNamesBase + code, QString::fromUtf8(kFunctionNames[code]));
        return m;
    }();
    return map;
}

} // namespace

std::optional<QString> stringById(int id)
{
    const auto& map = table();
    const auto it = map.find(id);
    if (it == map.end())
        return std::nullopt;
    return it->second;
}

} // namespace ludra::resources
