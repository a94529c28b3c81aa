// Sounds of the data-resource file (Wav entries), played from memory. Every request gets a
// short-lived thread of its own that plays the sound synchronously and ends; requests never
// queue or cut each other off (one made while the audio device is busy is dropped). The
// number of playing threads is counted under a lock so that the program can wait for them
// before it ends. Windows only.
//
//     InitializeResourceSounds();        // at start-up, before the first sound
//     PlayResourceSound("WavClick");
//     ...
//     WaitForResourceSounds();           // at exit
//     ShutdownResourceSounds();
#pragma once

void InitializeResourceSounds();
void ShutdownResourceSounds();

// 0 when the sound was started; the lookup's code (ui/data_resource.h) when the entry cannot
// be read, in which case no thread starts; 4 when no thread could be started (also before
// InitializeResourceSounds).
[[nodiscard]] int PlayResourceSound(const char* name);

// Returns once no sound started by PlayResourceSound is still playing (polls every 100 ms).
void WaitForResourceSounds();

// The number of sound threads still running.
[[nodiscard]] int CountPlayingResourceSounds();
