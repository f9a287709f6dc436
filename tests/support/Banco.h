#pragma once
// The fixture the tests share: each test function starts from the process state of a
// fresh start, with a recording dialog double in place of the message boxes, the input
// box and the file dialogs, and ends with both put back. apri() in init(), chiudi() in
// cleanup().
#include "support/Doubles.h"

namespace ludra::test {

class Banco {
public:
    enum class Avvio { Processo, Progetto };

    FakeDialogs dialogs;

    // Progetto: the toolbar built and the empty project made as well.
    void apri(Avvio avvio = Avvio::Processo);
    void chiudi();

private:
    platform::Dialogs* prima_ = nullptr;
};

} // namespace ludra::test
