// How the C library's heap treats large buffers while many of them come and go.
// Depends on: nothing.
#pragma once

// While the pictures load: buffers of a few MB stay in the heap when freed, to serve the
// next picture instead of coming as fresh zeroed pages from the system each time.
void heapKeepLargeBuffers();

// Once the pictures are in: the spare pages handed back to the system, then the heap set as
// the C library's own adjustment would leave it for a game whose frames take and give back
// buffers of several MB (setting the loading values had turned that adjustment off).
void heapReleaseLargeBuffers();
