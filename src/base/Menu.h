#pragma once
// The menu bar and the two pop-up menus of the main window, as data: names, captions,
// visibility. The main window draws them; the command table fills them.
#include <QString>
#include <vector>

namespace ludra {

struct VoceMenu {
    QString nome;       // "mnu_new"
    QString padre;      // "" for a menu of the bar
    int chiave = -1;    // text key of the caption; -1 for a fixed caption
    QString caption;
    bool visibile = true;
    bool separatore = false;
};

class MenuPrincipale {
public:
    static MenuPrincipale& istanza();

    // The menu tree with its start captions and visibility (CreaMenu, from the command
    // table).
    void crea(std::vector<VoceMenu> voci);
    const std::vector<VoceMenu>& voci() const { return voci_; }
    const VoceMenu* trova(const QString& nome) const;
    std::vector<const VoceMenu*> figli(const QString& padre) const;

    void setCaption(const QString& nome, const QString& caption);
    void setVisibile(const QString& nome, bool visibile);

private:
    MenuPrincipale() = default;
    VoceMenu* trovaVoce(const QString& nome);
    std::vector<VoceMenu> voci_;
};

} // namespace ludra
