#include "discovery/Telnet.h"

namespace ludra {
namespace {

constexpr unsigned char kIac = 255;
constexpr unsigned char kDont = 254;
constexpr unsigned char kDo = 253;
constexpr unsigned char kWont = 252;
constexpr unsigned char kWill = 251;
constexpr unsigned char kSb = 250;   // sub-negotiation, up to IAC SE
constexpr unsigned char kSe = 240;

} // namespace

void TestoTelnet::azzera()
{
    stato_ = Stato::Testo;
    comando_ = 0;
    risposte_.clear();
}

QByteArray TestoTelnet::risposte()
{
    QByteArray r;
    r.swap(risposte_);
    return r;
}

QByteArray TestoTelnet::elabora(const QByteArray& ricevuti)
{
    QByteArray testo;
    for (const char c : ricevuti) {
        const auto b = static_cast<unsigned char>(c);
        switch (stato_) {
        case Stato::Testo:
            if (b == kIac)
                stato_ = Stato::Comando;
            else
                testo.append(c);
            break;
        case Stato::Comando:
            if (b == kIac) {
                testo.append(c);   // an escaped 255 is text
                stato_ = Stato::Testo;
            } else if (b >= kWill && b <= kDont) {
                comando_ = b;
                stato_ = Stato::Opzione;
            } else {
                stato_ = b == kSb ? Stato::Sotto : Stato::Testo;
            }
            break;
        case Stato::Opzione:
            // A refusal ("won't", "don't") is already what is in force: not answered,
            // or two refusing peers would answer each other for ever.
            if (comando_ == kWill || comando_ == kDo) {
                risposte_.append(char(kIac));
                risposte_.append(char(comando_ == kWill ? kDont : kWont));
                risposte_.append(c);
            }
            stato_ = Stato::Testo;
            break;
        case Stato::Sotto:
            if (b == kIac)
                stato_ = Stato::SottoComando;
            break;
        case Stato::SottoComando:
            stato_ = b == kSe ? Stato::Testo : Stato::Sotto;
            break;
        }
    }
    return testo;
}

} // namespace ludra
