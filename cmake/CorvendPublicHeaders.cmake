# The kit's public headers: what a host includes. The layering check allows a host these of the
# kit's headers and no other; installation installs them and every header they reach.
set(CORVEND_PUBLIC_HEADERS
    CorvendWallet/CorvendWallet.hpp CorvendWallet/Money.hpp CorvendWallet/Cards.hpp
    CorvendWallet/Profile.hpp CorvendWallet/History.hpp CorvendWallet/CardDeposit.hpp
    CorvendWallet/Screens.hpp)
# The platform's main queue, which a host drives, and the URL opener, which a host without a
# desktop browser replaces with its own.
set(CORVEND_PUBLIC_PLATFORM_HEADERS platform/async/MainQueue.hpp platform/app/URLOpener.hpp)
