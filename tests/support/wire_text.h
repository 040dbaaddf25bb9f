// What the tool sends, as the tests' tables write it, and the pads they
// start: no system types, for the Windows and the native tests alike.
#ifndef PADCONFIG_WIRE_TEXT_H
#define PADCONFIG_WIRE_TEXT_H

#include <string>
#include <vector>

#include "pad_sim.h"

#define CR "\r"
#define HS CR CR
#define QUERIES CR "1_num?" CR "btn_num?" CR CR "a_num?" CR "b_num?" CR "c_num?" CR "d_num?" CR "e_num?" CR
#define RD QUERIES "Ini_Disp" CR
#define RESTARTED(n) CR "buttom_0=" n CR "reboot" CR RD "btn_off" CR "Ini_Disp" CR
#define EDITS(a, b, c, d, e) "buttom_a=" a "\rbuttom_b=" b "\rbuttom_c=" c "\rbuttom_d=" d "\rbuttom_e=" e "\r"

inline void Silent(PadSimConfig& c) { c.misbehaviour = BEHAVE_SILENT; }
inline void Nak(PadSimConfig& c) { c.misbehaviour = BEHAVE_NAK; }
inline PadState MakePadState(int count, int direction, int b, int c, int d, int e) {
    PadState state;
    state.buttonCount = count;
    state.direction = direction;
    state.masks[0] = b, state.masks[1] = c, state.masks[2] = d, state.masks[3] = e;
    return state;
}
inline PadState Twelve(void) { return MakePadState(12, 5, 0x05, 0x0C, 0x01, 0x80); }
const char* const GAME = "[pad]\nbuttons=12\ndirection=down-right\nset=1,3,9,11";
const char* const SAVED_TWELVE = "[pad]\r\nbuttons=12\r\ndirection=down-right\r\nset=1,3,11,12\r\n";

// What the stand-in saw once the tool's bytes it waits for have all arrived
// (sent of them: the count the tool's transcript or the row says), and the
// line has then been quiet for 50 ms. A busy machine only makes it wait
// longer; after 10 s it gives what it has, for the row to report.
std::vector<WireByte> SettledWire(PadSim& pad, size_t sent = 0);

// The bytes of one side of the wire: the tool's, or the stand-in's.
std::string ToolBytes(const std::vector<WireByte>& wire, bool fromTool = true);
// A transcript's text (transcript.h): the bytes of one direction, unescaped;
// the tool's own notes, "; " between them.
std::string TranscribedBytes(const std::string& text, char direction);
std::string TranscribedNotes(const std::string& text);
// Each line of a transcript: its stamp as milliseconds of the day, its
// direction, and its bytes unescaped (a note's text as it stands).
struct Burst {
    double ms;
    char direction;
    std::string bytes;
};
std::vector<Burst> TranscribedBursts(const std::string& text);
int Count(const std::string& text, const std::string& part);
void Replace(std::string& text, const std::string& word, const std::string& by);

#endif
