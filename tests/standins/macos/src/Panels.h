#pragma once

// Between the alert and panel stand-ins: the panels' part of StandInResetDialogs.
void StandInResetPanels();
