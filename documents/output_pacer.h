// When the user-interface thread appends the output it has gathered.
//
// An append to an edit control costs a good deal for every call, whatever
// it adds (more as the control fills), and a little for every line. Under a
// flood the thread rests after each round of appends for kRestFactor times
// what the round cost, while texts keep gathering: appends become fewer and
// larger, and the clients, the receiver and the user's commands keep most
// of the machine. A stream that goes quiet for kQuietMs is shown at once,
// and a lone text arriving after a rest is shown as it comes.
#pragma once

class OutputPacer {
public:
    static constexpr double kRestFactor = 4;
    static constexpr double kQuietMs = 20;

    // Times are milliseconds from any fixed origin, never going back.
    void TextsArrived(double now) { m_lastArrival = now; }
    // A round of appends that ran from start to end.
    void Appended(double start, double end) { m_resumeAt = end + kRestFactor * (end - start); }
    // Whether gathered output is to be appended now.
    bool IsDue(double now) const { return now >= m_resumeAt || now - m_lastArrival >= kQuietMs; }

private:
    double m_resumeAt = 0;
    double m_lastArrival = 0;
};
