#pragma once

// Held-key repetition counted in main ticks. The first press acts at once (the caller does
// that); while the key stays down every tick() tells how many steps to repeat: none before
// firstTick, then one step every `every` ticks, multiplied by `factor` from accelTick on.
// The keyboard's own auto-repeat presses only confirm that the key is still down.
class KeyRepeat {
public:
    struct StructSchedule {
        int firstTick = 6;  // the first tick that repeats
        int every = 1;      // repeat on every n-th tick from firstTick on
        int accelTick = 0;  // from this tick on steps are multiplied; 0: never
        int factor = 1;     // the multiplier from accelTick on
    };

    KeyRepeat() = default;
    explicit KeyRepeat(const StructSchedule& schedule) : m_schedule(schedule) {}

    // A first (not auto-repeated) press of a key that repeats starts counting again.
    void press(int key);
    // Ends the hold when key is the held key (auto-repeat releases must not be passed here).
    void release(int key);
    // Forgets the held key (hide, focus lost).
    void reset();
    // One main tick: the number of steps to repeat now (0 when nothing is due).
    int tick();

    int heldKey() const { return m_key; }
    bool isHeld() const { return m_key != 0; }
    int ticks() const { return m_ticks; }

private:
    StructSchedule m_schedule;
    int m_key = 0;
    int m_ticks = 0;
};
