#pragma once
// The one request and reply operation of the link: sends the frame in BuffTx (LenTx
// bytes), waits for the reply while events keep running, checks it and leaves it in
// BuffRx (LenRx bytes).
#include <cstdint>
#include <functional>

namespace ludra {

// Result codes, also shown in the fourth panel of the status bar.
inline constexpr std::uint8_t kComOk = 0;
inline constexpr std::uint8_t kComTimeout = 1;   // no reply, bad checksum, failure inside
inline constexpr std::uint8_t kComErrore = 2;    // reply address or function differs
inline constexpr std::uint8_t kNonConnesso = 3;

// Messaggi asks for message boxes on failure. Results 1 and 2 set StopCom. In RTU mode
// LenTx comes back increased by the two checksum bytes stored after the request.
// Every request goes out inside the held sequence (link/Sequenza.h): one made outside
// any, by a handler running during a sequence's wait, or while another is waiting fails
// at once (result 1) without sending and without touching the frames.
std::uint8_t InviaRichiesta(bool Messaggi);

// True while a request waits for its reply.
bool RichiestaInCorso();

// Runs `azione` from the event loop once the request waiting now has returned (at once
// when none waits), never inside the code that made the request (a window's close after
// its sequence's end).
void AllaFineRichiesta(std::function<void()> azione);
// Drops what AllaFineRichiesta still holds, posted or not (a fresh process has none).
void AnnullaAllaFineRichiesta();

} // namespace ludra
