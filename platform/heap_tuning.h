// How the C library's heap treats large buffers while many of them come and go.
// Depends on: nothing.
#pragma once

// While the pictures load: buffers of a few MB stay in the heap when freed, to serve the
// next picture instead of coming as fresh zeroed pages from the system each time.
void heapKeepLargeBuffers();

// Back to the C library's defaults, with the spare pages handed back to the system.
void heapReleaseLargeBuffers();
