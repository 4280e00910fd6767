#pragma once

// The platform's redraw request: the window is redrawn once the event loop next dispatches.
void requestRedisplay();
