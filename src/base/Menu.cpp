#include "base/Menu.h"

#include "base/Notifiche.h"

namespace ludra {
namespace {

struct Definizione {
    const char* nome;
    const char* padre;
    int chiave;
    const char* fisso;
    bool visibile;
};

// The menu bar in order, then the two pop-up menus. Captions with a key come from the
// texts of the running language; the fixed ones are the same in both languages. The
// captions given here for keyed items are what shows before any language is loaded.
constexpr Definizione kMenu[] = {
    {"mnu_project", "", 19, "Project", true},
    {"mnu_new", "mnu_project", 20, "New", true},
    {"mnu_openProj", "mnu_project", 21, "Open...", true},
    {"mnu_close", "mnu_project", 22, "Close", true},
    {"mnu_SaveProj", "mnu_project", 23, "Save", true},
    {"mnu_saveAs", "mnu_project", 24, "Save as...", true},
    {"mnu_Export", "mnu_project", 171, "Export", false},
    {"mnu_exit", "mnu_project", 25, "Exit", true},
    {"mnu_settings", "", 26, "Settings", true},
    {"mnu_controller", "mnu_settings", 27, "Controller", true},
    {"mnu_workspace", "mnu_settings", 28, "Workspace", true},
    {"mnu_view", "", 29, "View", true},
    {"mnu_viewProj", "mnu_view", 30, "Project", false},
    {"mnu_program", "mnu_view", 31, "Program", true},
    {"mnu_Registri", "mnu_view", 32, "Registers", true},
    {"mnu_log", "mnu_view", 33, "Log", true},
    {"mnu_tools", "", 34, "Tools", true},
    {"mnu_search", "mnu_tools", 35, "Search", true},
    {"mnu_images", "mnu_tools", 36, "Immages", false},
    {"mnu_1000", "mnu_tools", 37, "Config", true},
    {"mnu_Format", "mnu_tools", 38, "Variables", true},
    {"mnu_dialoga", "mnu_tools", 39, "Modbus", true},
    {"mnu_scheduler", "mnu_tools", -1, "Scheduler", false},
    {"mnu_display", "mnu_tools", 40, "Display", false},
    {"mnu_Tables", "mnu_tools", 41, "Tables", true},
    {"mnu_collaudo", "", -1, "Collaudo", false},
    {"mnu_eeprom", "mnu_collaudo", -1, "EEprom", true},
    {"mnu_mac", "mnu_collaudo", -1, "MAC", true},
    {"mnu_FB", "", -1, "Function Block", false},
    {"mnu_modify", "mnu_FB", -1, "Modify", true},
    {"mnu_FB_Delete", "mnu_FB", -1, "Delete", true},
    {"mn_FB_space1", "mnu_FB", -1, "-", true},
    {"mnu_FB_Insert_Before", "mnu_FB", -1, "Insert Before", true},
    {"mnu_FB_Insert_After", "mnu_FB", -1, "Insert After", true},
    {"mnu_FB_Space2", "mnu_FB", -1, "-", true},
    {"mnu_FB_Break", "mnu_FB", -1, "Toggle Break", true},
    {"mnu_Cont", "", -1, "Controller", false},
    {"mnu_SetAsController", "mnu_Cont", -1, "Set as Controller", true},
    {"mnu_ViewHomePage", "mnu_Cont", -1, "View HomePage", true},
    {"mnu_SetIP", "mnu_Cont", -1, "Set IP address", true},
    {"mnu_help", "", 42, "?", true},
    {"mnu_About", "mnu_help", 43, "About", true},
};

} // namespace

MenuPrincipale& MenuPrincipale::istanza()
{
    static MenuPrincipale m;
    return m;
}

void MenuPrincipale::crea()
{
    voci_.clear();
    for (const Definizione& d : kMenu) {
        VoceMenu v;
        v.nome = QString::fromLatin1(d.nome);
        v.padre = QString::fromLatin1(d.padre);
        v.chiave = d.chiave;
        v.caption = QString::fromLatin1(d.fisso);
        v.visibile = d.visibile;
        v.separatore = v.caption == QLatin1String("-");
        voci_.push_back(v);
    }
}

const VoceMenu* MenuPrincipale::trova(const QString& nome) const
{
    for (const VoceMenu& v : voci_)
        if (v.nome == nome)
            return &v;
    return nullptr;
}

VoceMenu* MenuPrincipale::trovaVoce(const QString& nome)
{
    return const_cast<VoceMenu*>(std::as_const(*this).trova(nome));
}

std::vector<const VoceMenu*> MenuPrincipale::figli(const QString& padre) const
{
    std::vector<const VoceMenu*> out;
    for (const VoceMenu& v : voci_)
        if (v.padre == padre)
            out.push_back(&v);
    return out;
}

void MenuPrincipale::setCaption(const QString& nome, const QString& caption)
{
    if (VoceMenu* v = trovaVoce(nome); v && v->caption != caption) {
        v->caption = caption;
        emit Notifiche::istanza().menuCambiato(nome);
    }
}

void MenuPrincipale::setVisibile(const QString& nome, bool visibile)
{
    if (VoceMenu* v = trovaVoce(nome); v && v->visibile != visibile) {
        v->visibile = visibile;
        emit Notifiche::istanza().menuCambiato(nome);
    }
}

} // namespace ludra
