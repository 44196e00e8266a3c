// Start-up of the application windows: the toolkit modules the stored forms of the windows are
// made of, in their start-up order, then each window module (which registers its form class, the
// components and handlers its stored form names). Run once by the program entry and by the
// windows' test fixtures, after the framework's own modules.
#pragma once

void StartAppWindowUnits();
