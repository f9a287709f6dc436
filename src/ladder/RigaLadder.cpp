#include "ladder/RigaLadder.h"

#include "project/Progetto.h"

namespace ludra {

bool RigaLadder::contenutoUguale(const RigaLadder& a) const
{
    return img_Break == a.img_Break && immagineVisibile == a.immagineVisibile
           && immagine == a.immagine && txt_desc == a.txt_desc && txt_VarN == a.txt_VarN
           && lbl_VarN == a.lbl_VarN && txt_Label.caption == a.txt_Label.caption
           && txt_Func.caption == a.txt_Func.caption && sfondoFunzione == a.sfondoFunzione
           && txt_Var.caption == a.txt_Var.caption;
}

void RigaLadder::prendiContenuto(const RigaLadder& a)
{
    immagineVisibile = a.immagineVisibile;
    immagine = a.immagine;
    img_Break = a.img_Break;
    txt_desc = a.txt_desc;
    txt_VarN = a.txt_VarN;
    lbl_VarN = a.lbl_VarN;
    txt_Label.caption = a.txt_Label.caption;
    txt_Func.caption = a.txt_Func.caption;
    sfondoFunzione = a.sfondoFunzione;
    txt_Var.caption = a.txt_Var.caption;
}

RigaLadder RigaNuova(int n)
{
    RigaLadder r;
    r.caricata = true;
    r.pannelloVisibile = true;
    r.lbl_Rung = {QString::number(n), true};
    r.txt_Label = {QString(), true};
    r.txt_Func = {QString(), true};
    r.txt_Var = {QString(), true};
    r.txt_desc = kDescrizioneVuota;
    return r;
}

} // namespace ludra
