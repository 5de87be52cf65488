# The kit's public headers: what a host includes. The layering check allows a host these of the
# kit's headers and no other; installation installs them and every header they reach.
set(CORVEND_PUBLIC_HEADERS
    CorvendWallet/CorvendWallet.hpp CorvendWallet/Money.hpp CorvendWallet/Cards.hpp
    CorvendWallet/Profile.hpp CorvendWallet/History.hpp CorvendWallet/CardDeposit.hpp
    CorvendWallet/Screens.hpp
    # The component library's controls on the screens, which a host tells apart to tap them: its
    # buttons, the checkbox, and the label whose links a person follows.
    CorvendCoreComponents/Button.hpp CorvendCoreComponents/CheckboxButton.hpp
    CorvendCoreComponents/LinksLabel.hpp)
# The platform's main queue, which a host drives, and the URL opener, which a host without a
# desktop browser replaces with its own.
set(CORVEND_PUBLIC_PLATFORM_HEADERS platform/async/MainQueue.hpp platform/app/URLOpener.hpp
    # What the screens the kit presents are made of, for a host that drives them as a person
    # would: the screen presented on the host's and the one a navigation controller pushed (and
    # closing either), the views and controls among their subviews (a field to type into, a
    # button or bar button to tap, what a screen shows while it works), and the web view whose
    # page's text and links a host reads and follows.
    platform/ui/ViewController.hpp platform/ui/NavigationController.hpp platform/ui/View.hpp
    platform/ui/Label.hpp platform/ui/ImageView.hpp platform/ui/StackView.hpp
    platform/ui/TableView.hpp platform/ui/TableViewCell.hpp platform/ui/TextField.hpp
    platform/ui/Button.hpp platform/ui/BarButtonItem.hpp platform/ui/ActivityIndicatorView.hpp
    platform/web/WebView.hpp)

# corvend_reached_headers(<out> <headers...>)
#
# The headers (paths relative to the source tree) and every header of the project they include,
# directly or not, by their quoted #include lines: what installation installs.
function(corvend_reached_headers out)
    get_filename_component(root ${CMAKE_CURRENT_FUNCTION_LIST_DIR} DIRECTORY)
    set(pending ${ARGN})
    set(reached)
    while(pending)
        list(POP_FRONT pending header)
        if(header IN_LIST reached OR NOT EXISTS ${root}/${header})
            continue()  # seen, or generated (installed on its own)
        endif()
        list(APPEND reached ${header})
        file(STRINGS ${root}/${header} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS lines)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" included
                   "${line}")
            list(APPEND pending ${included})
        endforeach()
    endwhile()
    set(${out} ${reached} PARENT_SCOPE)
endfunction()
