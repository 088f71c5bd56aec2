// Pages whose content other parts of the program provide later: each carries its navigation buttons
// (by object name) so that moving between pages works before the real content arrives.
#pragma once

class QWidget;

namespace placeholderpages {

// Page 2 ("Routing_K1") or 3 ("Routing_K2"), with pB_ToMixerFromRoutingK<n> and
// pB_ToInformationFromRoutingK<n>.
QWidget *routing(bool smallModel);

} // namespace placeholderpages
