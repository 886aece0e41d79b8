#pragma once
// The program's sounds as the model asks for them; the window layer installs the player. With
// none installed (engines' tests, tools) nothing plays.
class ISounds {
public:
    virtual ~ISounds() = default;
    // The sound of a stored transaction, when the user has it on.
    virtual void playSoundTransact() = 0;
};

ISounds* sounds();
void installSounds(ISounds* s);
