// Page-to-page navigation over the page-enable bits of settings slot 2.
#pragma once

// Whether navigation may select page (1 to 7) by the enable bits of slot 2.
bool pageEnabled(int page);
// Steps back to the previous enabled page; below page 1 it falls back to page 7.
void navigatePrevious();
// Steps on to the next enabled page; beyond page 7 it falls back to page 1.
void navigateNext();
