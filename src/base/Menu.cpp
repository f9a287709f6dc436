#include "base/Menu.h"

#include "base/Notifiche.h"

namespace ludra {
MenuPrincipale& MenuPrincipale::istanza()
{
    static MenuPrincipale m;
    return m;
}

void MenuPrincipale::crea(std::vector<VoceMenu> voci) { voci_ = std::move(voci); }

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
