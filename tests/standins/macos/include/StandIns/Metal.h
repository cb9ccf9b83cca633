#pragma once

// What tests use to script the Metal stand-in.

/** Whether the machine has a Metal device (true at start). Without one, as in many virtual machines
 * and some remote sessions, MTLCreateSystemDefaultDevice answers nil. */
void StandInSetMetalDeviceAvailable(bool available);
