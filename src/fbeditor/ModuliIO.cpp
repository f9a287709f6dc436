#include "fbeditor/ModuliIO.h"

namespace ludra {
namespace {

constexpr ModuloIO kLettura[] = {
    {"KVR1104", 0},  {"KVR1113", 1},  {"KVR1121", 2},  {"KVR1135", 3},
    {"KVR1142", 4},  {"KVR1167", 10}, {"KVR1173", 11}, {"KVR1186", 12},
    {"KVR1212", 20}, {"KVR1225", 21}, {"KVR1231", 22}, {"KVR1249", 23},
};

constexpr ModuloIO kScrittura[] = {
    {"KVR1167", 10}, {"KVR1173", 11}, {"KVR1186", 12},
    {"KVR1212", 20}, {"KVR1225", 21}, {"KVR1249", 23},
};

constexpr RisorsaModulo kUsciteAnalogiche[] = {{"Analog Out", 14}};
constexpr RisorsaModulo kUsciteDigitali[] = {{"Digital Out", 14}};
constexpr RisorsaModulo kIngressiAnalogici[] = {{"Analog In", 14}, {"Sync Inputs", 22}};
constexpr RisorsaModulo kIngressiAnalogiciCjc[] = {
    {"Analog In", 14}, {"Sync Inputs", 22}, {"CJC Value", 13}};
constexpr RisorsaModulo kIngressiDigitali[] = {{"Digital In", 8}};
constexpr RisorsaModulo kIngressiDigitali16[] = {{"Digital In", 10}};

} // namespace

std::span<const ModuloIO> ModuliLettura() { return kLettura; }
std::span<const ModuloIO> ModuliScrittura() { return kScrittura; }

RisorseModulo RisorseDi(bool scrittura, int tipo)
{
    RisorseModulo r;
    switch (tipo) {
    case 10:
    case 11:
    case 12:
        r.risorse = kUsciteAnalogiche;
        break;
    case 20:
    case 21:
    case 23:
        if (scrittura) {
            r.risorse = kUsciteDigitali;
        } else {
            r.risorse = kIngressiDigitali;
            r.canaliNascosti = true;
        }
        break;
    case 0:
    case 1:
    case 3:
        if (!scrittura)
            r.risorse = kIngressiAnalogici;
        break;
    case 2:
    case 4:
        if (!scrittura)
            r.risorse = kIngressiAnalogiciCjc;
        break;
    case 22:
        if (!scrittura) {
            r.risorse = kIngressiDigitali16;
            r.canaliNascosti = true;
            r.canaleMax = 15;
            r.numCanali = 16;
        }
        break;
    default:
        break;
    }
    return r;
}

} // namespace ludra
