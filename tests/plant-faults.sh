#!/usr/bin/env bash
# Plants known faults, one at a time, into a scratch copy of the working tree and checks that
# the tests catch each one. Prints one line per fault: "caught", "NOT CAUGHT" or "NOT APPLIED"
# (the code it patches has moved on: the entry needs updating, it is never counted as caught).
# Exits non-zero unless every fault was caught.
#
#   tests/plant-faults.sh            every fault
#   tests/plant-faults.sh palette    only the faults whose name contains "palette"
#   tests/plant-faults.sh --check    builds nothing: checks that every entry's text occurs
#                                    exactly once in its file, so that moved code fails at once
#
# The scratch copy (PLANT_DIR, default build-plant/) and its build directory are kept between
# runs; only files whose content changed are copied again, so a rerun rebuilds little.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PLANT_DIR=${PLANT_DIR:-$ROOT/build-plant}
SRC=$PLANT_DIR/src
# Inside the copy, where a checkout keeps its own build/: compile commands then read as they do
# in a checkout, and the shared ccache serves them.
BUILD=$SRC/build
JOBS=${JOBS:-4}
CHECK=
[[ "${1:-}" == --check ]] && { CHECK=1; shift; }
ONLY=${1:-}
export CCACHE_BASEDIR=$SRC CCACHE_NOHASHDIR=true

# The tracked files of the working tree as they are now (uncommitted changes included) and the
# new files not ignored. A file is copied only when its content differs, so that unchanged
# files keep their times and the build directory stays valid.
sync_tree() {
    mkdir -p "$SRC"
    (cd "$ROOT" && git ls-files -z -co --exclude-standard) |
        while IFS= read -r -d '' file; do
            [ -f "$ROOT/$file" ] || continue
            if ! cmp -s "$ROOT/$file" "$SRC/$file"; then
                mkdir -p "$(dirname "$SRC/$file")"
                cp "$ROOT/$file" "$SRC/$file"
            fi
        done
}

prepare() {
    echo "== copying the working tree to $SRC"
    sync_tree
    echo "== configuring $BUILD"
    cmake -S "$SRC" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        >"$PLANT_DIR/configure.log" 2>&1 || { tail -n 30 "$PLANT_DIR/configure.log"; exit 2; }
}

# fault NAME FILE TARGETS TESTS -- registers one fault; its patch is read from the variables OLD
# and NEW: OLD must occur exactly once in FILE and is replaced by NEW. TARGETS are the build
# targets, separated by spaces (none for a check that builds nothing); TESTS is a list of
# "binary[:gtest filter]" entries (binaries relative to the build directory) and "ctest:<name>"
# entries (a CTest test that is no gtest binary), separated by spaces.
names=() files=() olds=() news=() targetses=() testses=()
fault() {
    [[ -n "$ONLY" && "$1" != *"$ONLY"* ]] && return 0
    names+=("$1") files+=("$2") targetses+=("$3") testses+=("$4") olds+=("$OLD") news+=("$NEW")
}

# Runs every entry of the list $1; fails at the first entry whose tests fail.
run_tests() {
    local entry binary filter
    for entry in $1; do
        binary=${entry%%:*}
        filter='*'
        [[ "$entry" == *:* ]] && filter=${entry#*:}
        if [[ "$binary" == ctest ]]; then
            (cd "$BUILD" && timeout 300 ctest -R "^$filter\$" --no-tests=error \
                --output-on-failure >"$PLANT_DIR/test.log" 2>&1) || return 1
            continue
        fi
        (cd "$BUILD" && timeout 300 "./$binary" --gtest_filter="$filter" --gtest_brief=1 \
            >"$PLANT_DIR/test.log" 2>&1) || return 1
    done
}

# Builds the targets given, if any.
build_targets() {
    (($# == 0)) || cmake --build "$BUILD" -j "$JOBS" --target "$@" >"$PLANT_DIR/build.log" 2>&1
}

# Every entry's OLD text occurs exactly once in its file of the working tree; in bash alone, so
# that it runs before anything is installed or built.
check_all() {
    local -A texts=()
    local i file text rest count bad=0
    for ((i = 0; i < ${#names[@]}; ++i)); do
        file=${files[$i]}
        if [[ -z "${texts[$file]+set}" ]]; then
            text=
            [[ -f "$ROOT/$file" ]] && IFS= read -r -d '' text <"$ROOT/$file"
            texts[$file]=$text
        fi
        text=${texts[$file]}
        rest=${text//"${olds[$i]}"/}
        count=0
        ((${#olds[$i]} > 0)) && count=$(((${#text} - ${#rest}) / ${#olds[$i]}))
        if ((count != 1)); then
            echo "${names[$i]}: NOT APPLIED (its text occurs $count times in $file)"
            bad=$((bad + 1))
        fi
    done
    echo "== ${#names[@]} faults checked, $bad whose text is not found exactly once"
    ((bad == 0)) || exit 1
}

plant_all() {
    if [[ -n "$CHECK" ]]; then
        check_all
        return
    fi
    prepare
    local total=${#names[@]} caught=0 missed=() i
    # Without any fault every test named here passes; otherwise "caught" would mean nothing.
    echo "== building and running the tests unchanged"
    # shellcheck disable=SC2046
    if ! build_targets $(printf '%s\n' ${targetses[@]} | sort -u); then
        tail -n 30 "$PLANT_DIR/build.log"
        exit 2
    fi
    local -A ran=()
    for ((i = 0; i < total; ++i)); do
        [[ -n "${ran[${testses[$i]}]:-}" ]] && continue
        ran[${testses[$i]}]=1
        if ! run_tests "${testses[$i]}"; then
            tail -n 30 "$PLANT_DIR/test.log"
            echo "the tests of \"${names[$i]}\" fail without any fault"
            exit 2
        fi
    done

    for ((i = 0; i < total; ++i)); do
        local name=${names[$i]} path=$SRC/${files[$i]} verdict="NOT CAUGHT"
        cp "$path" "$PLANT_DIR/backup"
        if ! OLD=${olds[$i]} NEW=${news[$i]} python3 - "$path" <<'PY'; then
import os, sys
path = sys.argv[1]
text = open(path, encoding="utf-8").read()
old, new = os.environ["OLD"], os.environ["NEW"]
if text.count(old) != 1:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
            echo "$name: NOT APPLIED"
            missed+=("$name")
            continue
        fi
        # shellcheck disable=SC2086
        if ! build_targets ${targetses[$i]}; then
            verdict="NOT APPLIED (does not build; see $PLANT_DIR/build.log)"
        elif ! run_tests "${testses[$i]}"; then
            verdict=caught
        fi
        # Restored with a new time, so whatever was built from the fault is rebuilt.
        cp "$PLANT_DIR/backup" "$path"
        echo "$name: $verdict"
        if [[ "$verdict" == caught ]]; then
            caught=$((caught + 1))
        else
            missed+=("$name")
        fi
    done
    echo "== $caught of $total faults caught"
    if ((${#missed[@]} > 0)); then
        printf 'not caught or not applied: %s\n' "${missed[@]}"
        exit 1
    fi
}

UI=corvend_ui_foundation_test
PROFILE=corvend_services_profile_test
CARDS=corvend_services_cards_test
MONEY=corvend_services_money_test
HISTORY=corvend_services_history_test
MODELS=corvend_models_test
NETWORKING=corvend_networking_test
FOUNDATION=corvend_foundation_test
DEPOSIT_FLOW=corvend_ui_flows_card_deposit_test
DETAILS_FLOW=corvend_ui_flows_card_details_test
FACADE=CorvendWallet_test
WEB=corvend_platform_web_test
INTEGRATION=tests/integration/corvend_integration_test

# 1. Default colours and the palette.
COLORS=CorvendWallet/ui/foundation/AppearanceColors.cpp
OLD='action.disabledSubtle};
    palette.action = {button,'
NEW='action.disabled};
    palette.action = {button,'
fault "palette: action.primary.disabled is action.disabled" $COLORS $UI "$UI:Appearance*"
OLD='{action.active, action.inactiveSubtle, action.disabled},'
NEW='{action.active, action.inactiveSubtle, action.disabledSubtle},'
fault "palette: foreground.disabled is disabledSubtle" $COLORS $UI "$UI:Appearance*"
OLD='{text.disabled, text.disabledInverted}};'
NEW='{text.disabledInverted, text.disabled}};'
fault "palette: labelColor.tertiary swapped" $COLORS $UI "$UI:Appearance*"
OLD='dynamic({"#424542"}, {"#B1B2AF"}),'
NEW='dynamic({"#424543"}, {"#B1B2AF"}),'
fault "default colours: light Text.secondary changed" $COLORS $UI "$UI:Appearance*"

# 2. Profile wire tables.
OLD='{Occupation::weaponIndustry, "WEAPON_INDUSTRY"},'
NEW='{Occupation::weaponIndustry, "WEAPONS_INDUSTRY"},'
fault "profile: misspelt occupation row" CorvendWallet/services/profile/Occupation.hpp $PROFILE \
    "$PROFILE:ProfileMapping*"
OLD='{Vulnerabilities::gamblingAddiction, "GAMBLING_ADDICTION"},'
NEW='{Vulnerabilities::gamblingAddiction, "GAMBLING_ADICTION"},'
fault "profile: misspelt vulnerability row" CorvendWallet/services/profile/Vulnerabilities.hpp \
    $PROFILE "$PROFILE:ProfileMapping*"
OLD='{Name::cardAndACHDeposits, "CARD_AND_ACH_DEPOSITS"},'
NEW='{Name::cardAndACHDeposits, "CARD_AND_ACH_DEPOSIT"},'
fault "profile: misspelt restriction name row" CorvendWallet/services/profile/UserRestriction.hpp \
    $PROFILE "$PROFILE:ProfileMapping*"
OLD='{Action::pepDeclaration, "PEP_DECLARATION"},'
NEW='{Action::pepDeclaration, "PEP_DECLERATION"},'
fault "profile: misspelt required action row" CorvendWallet/services/profile/UserRestriction.hpp \
    $PROFILE "$PROFILE:ProfileMapping*"

# 3. Instrument mapping: absent status, account type and scheme read as unknown.
INSTRUMENT=CorvendWallet/services/cards/PaymentInstrumentModel.cpp
OLD='fields.status = model::fromWire<model::PaymentInstrumentStatus>(wire.status);'
NEW='if (wire.status) fields.status = model::fromWire<model::PaymentInstrumentStatus>(wire.status);'
fault "instruments: status only when its key is present" $INSTRUMENT $CARDS "$CARDS:PaymentInstrument*"
OLD='fields.accountType = model::fromWire<model::UsBankAccount::AccountType>(wire.accountType);'
NEW='if (wire.accountType) fields.accountType = model::fromWire<model::UsBankAccount::AccountType>(wire.accountType);'
fault "instruments: account type only when its key is present" $INSTRUMENT $CARDS \
    "$CARDS:PaymentInstrument*"
OLD='fields.cardScheme = model::fromWire<model::CardScheme>(wire.cardScheme);'
NEW='if (wire.cardScheme) fields.cardScheme = model::fromWire<model::CardScheme>(wire.cardScheme);'
fault "instruments: card scheme only when its key is present" $INSTRUMENT $CARDS \
    "$CARDS:PaymentInstrument*"

# 4. The new card on the wire.
CARD_INTERACTOR=CorvendWallet/ui/flows/card-deposit/CardDepositInteractor.cpp
NEW_CARD="corvend_integration_test"
NEW_CARD_TEST="$INTEGRATION:*ANewCardToKeep*"
OLD='input.saveCard.value_or(false) ? "true" : "false"'
NEW='"false"'
fault "new card: save choice always false" $CARD_INTERACTOR $NEW_CARD "$NEW_CARD_TEST"
OLD='.description = input.cardLabel});'
NEW='.description = std::nullopt});'
fault "new card: label dropped" $CARD_INTERACTOR $NEW_CARD "$NEW_CARD_TEST"
OLD='.expiryDate = {.year = input.expiryYear, .month = input.expiryMonth},'
NEW='.expiryDate = {.year = input.expiryMonth, .month = input.expiryYear},'
fault "new card: expiry year and month swapped" $CARD_INTERACTOR $NEW_CARD "$NEW_CARD_TEST"
OLD='.customerID = deposit_.customerID(),'
NEW='.customerID = std::nullopt,'
fault "new card: customer id not the deposit's" $CARD_INTERACTOR $NEW_CARD "$NEW_CARD_TEST"
OLD='.id = deposit_.id(),'
NEW='.id = std::string("new-card"),'
fault "new card: id not the deposit's" $CARD_INTERACTOR $NEW_CARD "$NEW_CARD_TEST"
OLD='.description = input.cardLabel});'
NEW='.cardScheme = model::CardScheme::visa, .description = input.cardLabel});'
fault "new card: scheme named" $CARD_INTERACTOR $DEPOSIT_FLOW "$DEPOSIT_FLOW:CardDepositInteractor*"
OLD='.pan = input.cardNumber,'
NEW='.status = model::PaymentInstrumentStatus::unknown, .pan = input.cardNumber,'
fault "new card: status sent" $CARD_INTERACTOR $NEW_CARD "$NEW_CARD_TEST"

# 5. The card-deposit root.
ROOT_INTERACTOR=CorvendWallet/ui/flows/card-deposit/DepositRootInteractor.cpp
OLD='        return types;
    }
    return {};'
NEW='        if (!types.empty()) return types;
    }
    return {};'
fault "deposit root: accepted cards not from the first card settings" $ROOT_INTERACTOR \
    $DEPOSIT_FLOW "$DEPOSIT_FLOW:DepositRoot*"
OLD='                case model::CardScheme::unknown:
                    types.push_back(CardType::unknown);'
NEW='                case model::CardScheme::unknown:'
fault "deposit root: unknown schemes dropped" $ROOT_INTERACTOR $DEPOSIT_FLOW \
    "$DEPOSIT_FLOW:DepositRoot*"
OLD='                try {
                    depositRead.value();
                } catch (...) {
                }
                throw;'
NEW='                depositRead.value();
                throw;'
fault "deposit root: the deposit's error wins over the options'" $ROOT_INTERACTOR \
    corvend_integration_test "$INTEGRATION:*LoadFailure*"
OLD='            auto deposit = CardDepositError::ownDeposit(id, [&] { return depositRead.value(); });'
NEW='            auto deposit = CardDepositError::ownDeposit(id, [&] {
                try {
                    return depositRead.value();
                } catch (...) {
                    throw CardDepositError(CardDepositError::internalError);
                }
            });'
fault "deposit root: the deposit's read error replaced" $ROOT_INTERACTOR \
    corvend_integration_test "$INTEGRATION:*LoadFailure*DepositReadFails"
OLD='            if (!result) {
                self->fail(result.error());'
NEW='            if (!result) {
                self->fail(Error::make(CardDepositError(CardDepositError::internalError)));'
fault "deposit root: the saved card's read error replaced" $ROOT_INTERACTOR \
    corvend_integration_test "$INTEGRATION:*LoadFailure*"
# A reply naming another deposit than the flow's ends the flow there, naming both.
OLD='            auto deposit = CardDepositError::ownDeposit(id, [&] { return depositRead.value(); });'
NEW='            auto deposit = depositRead.value();'
fault "other deposit: the read's deposit taken whatever it names" $ROOT_INTERACTOR $DEPOSIT_FLOW \
    "$DEPOSIT_FLOW:DepositRoot*"
OLD='            return CardDepositError::ownDeposit(request.id(),
                                                [&] { return service->create(request); });'
NEW='            return service->create(request);'
fault "other deposit: the create's reply goes on to the summary whatever it names" \
    $CARD_INTERACTOR $DEPOSIT_FLOW "$DEPOSIT_FLOW:CardDepositInteractor*"
OLD='            return CardDepositError::ownDeposit(
                id, [&] { return service->confirm(model::DepositConfirm(id, std::nullopt)); });'
NEW='            return service->confirm(model::DepositConfirm(id, std::nullopt));'
fault "other deposit: the confirm's reply goes on whatever it names" \
    CorvendWallet/ui/flows/card-deposit/DepositSummaryInteractor.cpp corvend_integration_test \
    "$INTEGRATION:*FailureTest*ConfirmNamesAnotherDeposit"
OLD='    return lhs == rhs && std::string_view(lhs.what()) == rhs.what();'
NEW='    return lhs == rhs;'
fault "other deposit: errors naming other deposits are equal" \
    CorvendWallet/ui/flows/card-deposit/CardDepositResult.cpp $DEPOSIT_FLOW \
    "$DEPOSIT_FLOW:CardDepositResult*"
OLD='            if (const std::string* detail = flow->detail()) return TerminalText::inLine(*detail);'
NEW=''
fault "other deposit: wallet-cli says fixed words instead of both ids" \
    examples/wallet-cli/CardDepositCommands.cpp "wallet-cli wallet_cli_test" \
    "examples/wallet-cli/wallet_cli_test:*EveryOneShotCommandExitsByOneRule"

# 6. Releases and replacements.
DETAILS_INTERACTOR=CorvendWallet/ui/flows/card-details/CardSecureDetailsInteractor.cpp
OLD='    if (executingTask_) executingTask_->cancel();'
NEW=''
fault "secure details: cancel() leaves the fetch running" $DETAILS_INTERACTOR $DETAILS_FLOW \
    "$DETAILS_FLOW"
OLD='if (!alive || alive->cancelled_) return;'
NEW='(void)alive;'
fault "secure details: a replaced load still shows its page" \
    CorvendWallet/ui/foundation/FlowTask.hpp $DETAILS_FLOW "$DETAILS_FLOW"
OLD='AnyObjectLifecycleTracker::attach(*viewController, [interactor] { interactor->cancel(); });'
NEW=''
fault "confirm card: releasing the screen leaves the create running" \
    CorvendWallet/ui/flows/card-deposit/ConfirmCardBuilder.cpp $DEPOSIT_FLOW \
    "$DEPOSIT_FLOW:ConfirmCardBuilder*"

# 7. The facade hands the screen builders to the services.
WALLET=CorvendWallet/facade/Wallet.cpp
OLD='            [](std::shared_ptr<CardSecureDetailsDependency> dependency,
               const model::CardSecureDetailsRequest& request) {
                return CardSecureDetailsBuilder(std::move(dependency)).build(request);
            });'
NEW='            nullptr);'
fault "facade: card service without its screen builder" $WALLET $FACADE "$FACADE:WalletScreens*"
OLD='            [](const model::CustomerVerificationRequest& request,
               std::shared_ptr<Networkable> networkManager) {
                return ::corvend::CustomerVerificationViewController::make(
                    request, std::move(networkManager));
            });'
NEW='            nullptr);'
fault "facade: verification service without its screen builder" $WALLET $FACADE \
    "$FACADE:WalletScreens*"

# 8. The card router's hint sheets.
OLD='presenting->present(std::move(sheet), false);'
NEW='(void)sheet;'
fault "hints: the router never shows its sheet" \
    CorvendWallet/ui/flows/card-deposit/CardDepositRouter.cpp $DEPOSIT_FLOW \
    "$DEPOSIT_FLOW:AddCardBuilder*"

# 9. Faults whose tests had gone.
OLD='if (property.key) result.key = std::string(toWireValue(*property.key));'
NEW='if (property.key && *property.key != model::PaymentPropertyKey::unknown) result.key = std::string(toWireValue(*property.key));'
fault "payment property: unknown key sent without its key" \
    CorvendWallet/models/PaymentPropertyModel.cpp $MODELS "$MODELS:PaymentProperty*"
ENDPOINT=CorvendWallet/networking/Endpoint.cpp
OLD='        request.setHTTPBody(parametersEncoder_.encode());
        request.addValue(*parametersEncoder_.contentType, HTTPHeaderName::contentType);'
NEW='        auto body = parametersEncoder_.encode();
        if (body) request.addValue(*parametersEncoder_.contentType, HTTPHeaderName::contentType);
        request.setHTTPBody(std::move(body));'
fault "endpoint: a bodiless POST loses its Content-Type" $ENDPOINT $NETWORKING \
    "$NETWORKING:Endpoint*"
OLD='    if (parametersEncoder_.contentType) {
        request.setHTTPBody(parametersEncoder_.encode());'
NEW='    auto encoded = parametersEncoder_.encode();
    if (parametersEncoder_.contentType) {
        request.setHTTPBody(std::move(encoded));'
fault "endpoint: a GET calls its encoder" $ENDPOINT $NETWORKING "$NETWORKING:Endpoint*"
OLD='friend bool operator==(const CustomerTransfer&, const CustomerTransfer&) = default;'
NEW='friend bool operator==(const CustomerTransfer& a, const CustomerTransfer& b) { return a.id() == b.id(); }'
fault "equality: transfers by id only" CorvendWallet/services/money/CustomerTransfer.hpp $MONEY \
    "$MONEY:Transfer*"
OLD='bool operator==(const CustomerDeposit&) const = default;'
NEW='bool operator==(const CustomerDeposit& other) const { return id() == other.id(); }'
fault "equality: deposits by id only" CorvendWallet/services/money/CustomerDeposit.hpp $MONEY \
    "$MONEY:Deposit*"
OLD='bool operator==(const CustomerDeposit&) const = default;'
NEW='bool operator==(const CustomerDeposit& other) const {
        return id() == other.id() && status() == other.status() &&
               std::is_permutation(fees().begin(), fees().end(), other.fees().begin(),
                                   other.fees().end()) &&
               returnUrls_ == other.returnUrls_ && nextStatus_ == other.nextStatus_ &&
               redirectUrl_ == other.redirectUrl_ && action_ == other.action_;
    }'
fault "equality: deposits ignore the order of their fees" \
    CorvendWallet/services/money/CustomerDeposit.hpp $MONEY "$MONEY:Deposit*"
OLD='    static const Endpoint<Options>& paymentOptions() {
        static const platform::NeverDestroyed<Endpoint<Options>> endpoint('
NEW='    static const Endpoint<Options>& paymentOptions() {
        const auto& endpoint = *new platform::NeverDestroyed<Endpoint<Options>>('
fault "options: endpoint rebuilt on every call" CorvendWallet/services/money/PaymentFlow.hpp \
    $MONEY "$MONEY:PaymentFlowRepository*"
OLD='class TaskOperationHandle final : public WalletOperationHandle,
                                  public WalletOperationPropagatesCancellation {'
NEW='class TaskOperationHandle final : public WalletOperationHandle {'
fault "handles: a task handle does not pass cancellation on" \
    CorvendWallet/foundation/TaskOperationHandle.hpp $FOUNDATION "$FOUNDATION:CompletionBridge*"
OLD='std::move(completion), std::move(id));'
NEW='std::move(completion), id.substr(1));'
fault "completion forms: deposit get changes its argument" \
    CorvendWallet/services/money/DepositService.hpp $MONEY "$MONEY:PaymentFlowRepository*"
OLD='std::move(completion), std::move(parameters));'
NEW='std::move(completion), (parameters.reset(), std::move(parameters)));'
fault "completion forms: transfer list drops its argument" \
    CorvendWallet/services/money/TransferService.hpp $MONEY "$MONEY:PaymentFlowRepository*"

# 10. Web view redirects.
WEBVIEW=platform/web/WebView.cpp
OLD='if (status == 307 || status == 308) {'
NEW='if (status != 301 && status != 302) {'
fault "web view: 303 repeats the POST" $WEBVIEW $WEB "$WEB:WebViewRedirect*"
OLD='        next.setHTTPBody(previous.httpBody());'
NEW=''
fault "web view: 307 and 308 drop the body" $WEBVIEW $WEB "$WEB:WebViewRedirect*"
OLD='if (sameOrigin(previous.url(), target)) {'
NEW='if (sameOrigin(previous.url(), target) || true) {'
fault "web view: header fields follow a redirect off the site" $WEBVIEW $WEB \
    "$WEB:WebViewRedirect*"

# 11. History mapping.
HISTORY_MAPPER=CorvendWallet/services/history/TransactionHistoryMapper.cpp
OLD='transaction.fees_ = toSimpleFeePayments(response.fees);'
NEW='transaction.fees_ = {};'
fault "history: fees dropped" $HISTORY_MAPPER $HISTORY "$HISTORY"
OLD='if (response.fxAmount) transaction.fxAmount_ = toFxAmount(*response.fxAmount);'
NEW=''
fault "history: fxAmount dropped" $HISTORY_MAPPER $HISTORY "$HISTORY"
OLD='transaction.transferDetails_ = toTransferDetails(*response.transferDetails);'
NEW='transaction.transferDetails_ = model::TransferDetails{};'
fault "history: transfer details dropped" $HISTORY_MAPPER $HISTORY "$HISTORY"

# 12. Money: one code gives both the digits that divide and the currency the text is made in.
NUMBER_FORMATTER=platform/foundation/NumberFormatter.cpp
OLD="        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');"
NEW='        (void)c;'
fault "money: a lower-case code keeps two digits" $NUMBER_FORMATTER \
    "corvend_platform_foundation_test $UI" \
    "corvend_platform_foundation_test:NumberFormatter* $UI:MoneyFormatter*"
OLD='        if (U_SUCCESS(status)) digits = read;'
NEW='        (void)read;'
fault "money: the digits that divide are not the currency's" $NUMBER_FORMATTER \
    "corvend_platform_foundation_test $UI" \
    "corvend_platform_foundation_test:NumberFormatter* $UI:MoneyFormatter*"

# 13. Every replied field reaches its own public field, under the service's key, and every
# listed spelling its own case: a dropped field, a swapped pair, a misspelt key, a wrong row.
PAYMENT_MAPPING=CorvendWallet/services/money/PaymentFlowMapping.cpp
OLD='    record.customerID_ = reply.customerId;
    record.accountID_ = reply.accountId;'
NEW='    record.customerID_ = reply.accountId;
    record.accountID_ = reply.customerId;'
fault "wire: payment records swap customer and account" $PAYMENT_MAPPING $MONEY \
    "$MONEY:Deposit*:Withdrawal*"
OLD='    record.fundingTransactionID_ = reply.fundingTransactionId;'
NEW=''
fault "wire: payment records drop the funding transaction" $PAYMENT_MAPPING $MONEY \
    "$MONEY:Deposit*:Withdrawal*"
OLD='        link.href_ = response.redirectUrl->href;'
NEW=''
fault "wire: deposit redirect drops its address" CorvendWallet/services/money/DepositRepository.cpp \
    $MONEY "$MONEY:Deposit*"
OLD='    std::optional<std::string> action{};'
NEW='    std::optional<std::string> action{};
    static constexpr platform::JSONKey jsonKeys[] = {{"action", "nextAction"}};'
fault "wire: deposits read \"nextAction\"" CorvendWallet/services/money/DepositServiceEndpoint.hpp \
    $MONEY "$MONEY:Deposit*"
OLD='PaymentFlowMapping::pagingMeta(reply.meta)'
NEW='model::PagingResultMeta{}'
fault "wire: withdrawal lists drop their paging" CorvendWallet/services/money/WithdrawalRepository.cpp \
    $MONEY "$MONEY:Withdrawal*"
TRANSFER_REPOSITORY=CorvendWallet/services/money/TransferRepository.cpp
OLD='    transfer.fxQuote_ = response.fxQuote;'
NEW=''
fault "wire: transfers drop their quote" $TRANSFER_REPOSITORY $MONEY "$MONEY:Transfer*"
OLD='response.recipient->customerId, response.recipient->email);'
NEW='response.recipient->customerId, std::nullopt);'
fault "wire: transfer recipients drop their e-mail" $TRANSFER_REPOSITORY $MONEY "$MONEY:Transfer*"
OLD='    transfer.expirationTime_ = response.expirationTime;'
NEW=''
fault "wire: transfers drop their expiry" $TRANSFER_REPOSITORY $MONEY "$MONEY:Transfer*"
OLD='    list.meta_ = PaymentFlowMapping::pagingMeta(response.meta);'
NEW='    list.meta_ = model::PagingResultMeta{};'
fault "wire: transfer lists drop their paging" $TRANSFER_REPOSITORY $MONEY "$MONEY:Transfer*"
OLD='    std::optional<std::string> slipId{};'
NEW='    std::optional<std::string> slipId{};
    static constexpr platform::JSONKey jsonKeys[] = {{"slipId", "slipID"}};'
fault "wire: transfers read \"slipID\"" CorvendWallet/services/money/TransferServiceEndpoint.hpp \
    $MONEY "$MONEY:Transfer*"
OLD='std::move(response.sourceCurrency),
                         std::move(response.targetCurrency)'
NEW='std::move(response.targetCurrency),
                         std::move(response.sourceCurrency)'
fault "wire: quotes swap their currencies" CorvendWallet/services/money/CurrencyExchangeRepository.cpp \
    $MONEY "$MONEY:CurrencyExchange*"
OLD='    std::optional<std::string> sender;'
NEW='    std::optional<std::string> sender;
    static constexpr platform::JSONKey jsonKeys[] = {{"sender", "senderId"}};'
fault "wire: quotes read \"senderId\"" CorvendWallet/services/money/CurrencyExchangeEndpoint.hpp \
    $MONEY "$MONEY:CurrencyExchange*"
OLD='    return {fee.amount, fee.currency,'
NEW='    return {fee.amount, std::nullopt,'
fault "wire: fees drop their currency" CorvendWallet/models/SimpleFeePaymentModel.cpp $MONEY \
    "$MONEY:Deposit*:Transfer*"
OLD='    return {meta.numberOfRecords, meta.limit, meta.offset, meta.page};'
NEW='    return {meta.numberOfRecords, meta.limit, meta.page, meta.offset};'
fault "wire: paging swaps offset and page" CorvendWallet/models/PagingResultMetaModel.cpp $CARDS \
    "$CARDS:CardMapping*"
OLD='    return {amount.amount, amount.rate, amount.currency};'
NEW='    return {amount.amount, amount.rate, std::nullopt};'
fault "wire: converted amounts drop their currency" CorvendWallet/models/FxAmountModel.cpp \
    $HISTORY "$HISTORY"

CARD_REPOSITORY=CorvendWallet/services/cards/CardRepository.cpp
OLD='        .bin = std::move(reply.bin),
        .lastFour = std::move(reply.lastFour),'
NEW='        .bin = std::move(reply.lastFour),
        .lastFour = std::move(reply.bin),'
fault "wire: cards swap bin and last four" $CARD_REPOSITORY $CARDS "$CARDS:CardMapping*"
OLD='    return {expiry.year, expiry.month};'
NEW='    return {expiry.month, expiry.year};'
fault "wire: card expiries swap year and month" $CARD_REPOSITORY $CARDS "$CARDS:CardMapping*"
OLD='std::move(address->countryCode), std::move(address->state),'
NEW='std::move(address->countryCode), std::nullopt,'
fault "wire: delivery addresses drop their state" $CARD_REPOSITORY $CARDS "$CARDS:CardMapping*"
OLD='        .activationDate = reply.activationDate,'
NEW='        .activationDate = std::nullopt,'
fault "wire: cards drop their activation date" $CARD_REPOSITORY $CARDS "$CARDS:CardMapping*"
OLD='program.currencies, program.allowableCards,'
NEW='program.currencies, 0,'
fault "wire: programs drop their card allowance" $CARD_REPOSITORY $CARDS "$CARDS:CardMapping*"
OLD='c->name,     c->mobile};'
NEW='c->mobile,   c->name};'
fault "wire: token customers swap name and mobile" $CARD_REPOSITORY $CARDS "$CARDS:CardMapping*"
OLD='        .opaquePaymentCard = reply.opaquePaymentCard,
        .encryptedPassData = reply.encryptedPassData,'
NEW='        .opaquePaymentCard = reply.encryptedPassData,
        .encryptedPassData = reply.opaquePaymentCard,'
fault "wire: tokenizations swap card and pass data" $CARD_REPOSITORY $CARDS "$CARDS:CardMapping*"
OLD='        std::move(reply.dpanRef), std::move(reply.walletId),'
NEW='        std::move(reply.dpanRef), std::nullopt,'
fault "wire: wallet tokenizations drop their wallet" $CARD_REPOSITORY $CARDS "$CARDS:CardMapping*"
OLD='    std::optional<std::string> lastFour{};'
NEW='    std::optional<std::string> lastFour{};
    static constexpr platform::JSONKey jsonKeys[] = {{"lastFour", "last4"}};'
fault "wire: cards read \"last4\"" CorvendWallet/services/cards/CardServiceEndpoint.hpp $CARDS \
    "$CARDS:CardMapping*"
VERIFICATIONS=CorvendWallet/services/cards/PaymentInstrumentRepository.cpp
OLD='        .creationTime = reply.creationTime,
        .expirationTime = reply.expirationTime,'
NEW='        .creationTime = reply.expirationTime,
        .expirationTime = reply.creationTime,'
fault "wire: verification sessions swap their times" $VERIFICATIONS $CARDS \
    "$CARDS:InstrumentVerification*"
OLD='        .returnUrl = reply.returnUrl,'
NEW='        .returnUrl = reply.redirectUrl,'
fault "wire: verification sessions return to their page" $VERIFICATIONS $CARDS \
    "$CARDS:InstrumentVerification*"
OLD='    std::optional<std::string> statusReason{};'
NEW='    std::optional<std::string> statusReason{};
    static constexpr platform::JSONKey jsonKeys[] = {{"statusReason", "reason"}};'
fault "wire: verification sessions read \"reason\"" \
    CorvendWallet/services/cards/PaymentInstrumentServiceEndpoint.hpp $CARDS \
    "$CARDS:InstrumentVerification*"

PROFILE_MAPPING=CorvendWallet/services/profile/ProfileMapping.cpp
OLD='    info.type_ = response.type;'
NEW=''
fault "wire: customers drop their type" $PROFILE_MAPPING $PROFILE "$PROFILE:ProfileMapping*"
OLD='        contact.email_ = response.contactInfo->email;'
NEW=''
fault "wire: contact blocks drop the e-mail" $PROFILE_MAPPING $PROFILE "$PROFILE:ProfileMapping*"
OLD='address.city,
                          address.postalCode,'
NEW='address.postalCode,
                          address.city,'
fault "wire: addresses swap city and postal code" $PROFILE_MAPPING $PROFILE \
    "$PROFILE:ProfileMapping*"
OLD='    account.availableBalance_ = response.availableBalance;
    account.totalBalance_ = response.totalBalance;'
NEW='    account.availableBalance_ = response.totalBalance;
    account.totalBalance_ = response.availableBalance;'
fault "wire: accounts swap their balances" $PROFILE_MAPPING $PROFILE "$PROFILE:ProfileMapping*"
OLD='    value.lastChangeDate_ = restriction.lastChangeDate;
    value.activationTime_ = restriction.activationTime;'
NEW='    value.lastChangeDate_ = restriction.activationTime;
    value.activationTime_ = restriction.lastChangeDate;'
fault "wire: restrictions swap change and activation times" $PROFILE_MAPPING $PROFILE \
    "$PROFILE:ProfileMapping*"
OLD='    std::optional<std::string> nationality{};'
NEW='    std::optional<std::string> nationality{};
    static constexpr platform::JSONKey jsonKeys[] = {{"nationality", "nationalityCode"}};'
fault "wire: customers read \"nationalityCode\"" \
    CorvendWallet/services/profile/ProfileServiceEndpoint.hpp $PROFILE "$PROFILE:ProfileMapping*"
OLD='    verification.externalId_ = response.externalId;'
NEW='    verification.externalId_ = response.customerId;'
fault "wire: identity status takes the customer for the provider's reference" \
    CorvendWallet/services/profile/CustomerVerificationRepository.cpp $PROFILE \
    "$PROFILE:CustomerVerification*"

OLD='    transaction.paymentID_ = std::move(response.paymentId);
    transaction.merchantRefNum_ = std::move(response.merchantRefNum);'
NEW='    transaction.paymentID_ = std::move(response.merchantRefNum);
    transaction.merchantRefNum_ = std::move(response.paymentId);'
fault "wire: transactions swap payment and merchant reference" $HISTORY_MAPPER $HISTORY "$HISTORY"
AUTHORIZATION_MAPPER=CorvendWallet/services/history/AuthorizationHistoryMapper.cpp
OLD='    authorization.merchantName_ = std::move(response.merchantName);'
NEW=''
fault "wire: authorizations drop their merchant" $AUTHORIZATION_MAPPER $HISTORY "$HISTORY"
OLD='    authorization.cardID_ = std::move(response.cardId);'
NEW='    authorization.cardID_ = response.id;'
fault "wire: authorizations take their own id for the card's" $AUTHORIZATION_MAPPER $HISTORY \
    "$HISTORY"
OLD='    if (response.meta) list.meta_ = toPagingResultMeta(*response.meta);'
NEW=''
fault "wire: authorization lists drop their paging" $AUTHORIZATION_MAPPER $HISTORY "$HISTORY"
OLD='    std::optional<std::string> paymentId{};'
NEW='    std::optional<std::string> paymentId{};
    static constexpr platform::JSONKey jsonKeys[] = {{"paymentId", "paymentID"}};'
fault "wire: transactions read \"paymentID\"" \
    CorvendWallet/services/history/TransactionHistoryServiceEndpoint.hpp $HISTORY "$HISTORY"

OLD='{PaymentStatus::refunded, "REFUNDED"},'
NEW='{PaymentStatus::redirection, "REFUNDED"},'
fault "wire: \"REFUNDED\" reads as redirection" CorvendWallet/models/PaymentStatus.hpp $MONEY \
    "$MONEY:Deposit*"
OLD='{Reason::cancelation, "CANCELATION"},'
NEW='{Reason::cancelation, "CANCELLATION"},'
fault "wire: the cancellation reason spelt with two L" CorvendWallet/models/TransferDetails.hpp \
    $MONEY "$MONEY:Transfer*"
OLD='{Type::onCancelled, "ON_CANCELLED"}'
NEW='{Type::onCancelled, "ON_CANCELED"}'
fault "wire: \"ON_CANCELLED\" misspelt" CorvendWallet/services/money/ReturnLink.hpp $MONEY \
    "$MONEY:Deposit*"
OLD='{S::locked, "LOCKED"},'
NEW='{S::suspended, "LOCKED"},'
fault "wire: \"LOCKED\" reads as suspended" CorvendWallet/services/cards/Card.hpp $CARDS \
    "$CARDS:Card*"
OLD='{MobileWalletType::samsungPay, "SAMSUNG_PAY"}'
NEW='{MobileWalletType::googlePay, "SAMSUNG_PAY"}'
fault "wire: \"SAMSUNG_PAY\" reads as another wallet" CorvendWallet/services/cards/MobileWalletType.hpp \
    $CARDS "$CARDS:Card*"
OLD='{R::userInteractionError, "USER_INTERACTION_ERROR"},'
NEW='{R::other, "USER_INTERACTION_ERROR"},'
fault "wire: \"USER_INTERACTION_ERROR\" reads as other" \
    CorvendWallet/services/cards/InstrumentVerificationStatus.hpp $CARDS \
    "$CARDS:InstrumentVerification*"
OLD='{AuthorizationStatus::reversed, "REVERSED"}'
NEW='{AuthorizationStatus::reversed, "REVERSAL"}'
fault "wire: \"REVERSED\" misspelt" CorvendWallet/services/history/AuthorizationStatus.hpp \
    $HISTORY "$HISTORY"
OLD='{TransactionType::withdrawal, "WITHDRAWAL"},'
NEW='{TransactionType::withdrawal, "WITHDRAW"},'
fault "wire: \"WITHDRAWAL\" misspelt" CorvendWallet/services/history/TransactionType.hpp \
    $HISTORY "$HISTORY"
OLD='{KycSessionStatus::abandoned, "ABANDONED"},'
NEW='{KycSessionStatus::expired, "ABANDONED"},'
fault "wire: \"ABANDONED\" reads as expired" CorvendWallet/services/profile/KycSessionStatus.hpp \
    $PROFILE "$PROFILE:CustomerVerification*"
OLD='{KycVerificationStatus::inProgress, "IN_PROGRESS"},'
NEW='{KycVerificationStatus::inProgress, "INPROGRESS"},'
fault "wire: \"IN_PROGRESS\" misspelt" CorvendWallet/services/profile/KycVerificationStatus.hpp \
    $PROFILE "$PROFILE:CustomerVerification*"
OLD='{Occupation::pensioner, "PENSIONER"},'
NEW='{Occupation::student, "PENSIONER"},'
fault "wire: \"PENSIONER\" reads as student" CorvendWallet/services/profile/Occupation.hpp \
    $PROFILE "$PROFILE:Profile*"

# 14. The exit gate in a forked child, and configurations in the order issued.
ASYNC=corvend_platform_async_test
OLD='        if (generationOf(seen) != generation) return;'
NEW='        (void)generation;'
fault "exit gate: leave() counts a pass of the parent's generation" platform/async/ExitGate.cpp \
    $ASYNC "$ASYNC:ExitGate*"
OLD='seen, generationOf(seen) == generation ? seen + 1 : counting(generation, 1))) {'
NEW='seen, seen + 1)) {'
fault "exit gate: enter() counts on in the parent's generation" platform/async/ExitGate.cpp \
    $ASYNC "$ASYNC:ExitGate*"
OLD='std::exchange(std::get<2>(outcome_), {})'
NEW='std::get<2>(outcome_)'
fault "one-shot: a rejected wait leaves its error shared with the settling side" \
    platform/async/OneShot.inl $ASYNC "$ASYNC:OneShot*"
OLD='    });
    turn.await();'
NEW='    });
    (void)turn;'
fault "configure: overlapping configurations run at once" CorvendWallet/facade/WalletCore.cpp \
    corvend_integration_test "$INTEGRATION:Overlapping*"

# 15. The example host's words: unseen ends of a card deposit and of kyc start, long words.
CLI=examples/wallet-cli/wallet_cli_test
OLD='    if (pageChoiceUnseen(screen->view())) choiceUnseen_ = true;'
NEW='    // not noted'
fault "wallet-cli: a 3-D Secure choice closed unseen reads as cancelled" \
    examples/wallet-cli/CardDepositCommands.cpp wallet_cli_test "$CLI:*ChoiceWasNotSeen*"
OLD='        if (result == Wallet::VerificationResult::internalError) {'
NEW='        if (false) {'
fault "wallet-cli: kyc start's lost session says internalError" \
    examples/wallet-cli/ScreenCommands.cpp wallet_cli_test "$CLI:*KycStartWhose*"
OLD='    while (!mark && column_ + restColumns > width_) {'
NEW='    while (false) {'
fault "wallet-cli: a word wider than the line runs over" examples/wallet-cli/LineFitter.cpp \
    wallet_cli_test "$CLI:LineFitter*:*LongWordsRefused*"

# 16. The example host gives the terminal back at every end.
CLI_TEST=examples/wallet-cli/wallet_cli_test
OLD='        default:
            terminal.restore();'
NEW='        default:
            if (signal != SIGTERM) terminal.restore();'
fault "wallet-cli: SIGTERM ends the host without putting the terminal's modes back" \
    examples/wallet-cli/HostSignals.cpp "wallet-cli wallet_cli_test" \
    "$CLI_TEST:WalletCli/TheTerminalAtEveryEnd.*"
OLD='        ~Restorer() { shared().finish(); }'
NEW='        ~Restorer() {}'
fault "wallet-cli: quit ends the host without putting the terminal's modes back" \
    examples/wallet-cli/TerminalModes.hpp "wallet-cli wallet_cli_test" \
    "$CLI_TEST:WalletCli/TheTerminalAtEveryEnd.*"
OLD='    if (!kept_ || tcgetattr(STDIN_FILENO, &current) != 0) return std::nullopt;
    restore();'
NEW='    if (!kept_ || tcgetattr(STDIN_FILENO, &current) != 0) return std::nullopt;'
fault "wallet-cli: Ctrl-Z stops the host in the editor's modes" \
    examples/wallet-cli/TerminalModes.cpp "wallet-cli wallet_cli_test" \
    "$CLI_TEST:WalletCliTest.CtrlZSuspends*"
# 17. A child forked after the kit's threads started is refused before any lock; no fork copies a
# session's wake-up socket before it is close-on-exec.
OLD='    platform::ProcessFork::checkKitUsable("Wallet::instance");
'
NEW=''
fault "fork: Wallet::instance() goes on in a forked child" CorvendWallet/facade/Wallet.cpp \
    corvend_integration_test "$INTEGRATION:*BusyHost*"
OLD='        platform::ProcessFork::checkKitUsable("a Wallet service accessor");'
NEW=''
fault "fork: a service accessor takes its lock in a forked child" \
    CorvendWallet/facade/ServiceSlot.hpp corvend_integration_test "$INTEGRATION:*BusyHost*"
OLD='        platform::ProcessFork::checkKitUsable("a Wallet service setter");'
NEW=''
fault "fork: a service setter takes its lock in a forked child" \
    CorvendWallet/facade/ServiceSlot.hpp corvend_integration_test "$INTEGRATION:*BusyHost*"
OLD='    platform::ProcessFork::checkKitUsable("a blocking service operation");'
NEW=''
fault "fork: a blocking service call runs in a forked child" \
    CorvendWallet/foundation/CompletionBridge.hpp corvend_integration_test \
    "$INTEGRATION:*BusyHost*"
OLD='    ProcessFork::checkKitUsable("MainQueue::shared");'
NEW=''
fault "fork: MainQueue::shared() goes on in a forked child" platform/async/MainQueue.cpp \
    corvend_integration_test "$INTEGRATION:*BusyHost*"
HTTP=corvend_platform_http_test
OLD='CloseOnExecSweep::CloseOnExecSweep() : forks_(registeredForkLock()) {'
NEW='CloseOnExecSweep::CloseOnExecSweep() : forks_(registeredForkLock(), std::defer_lock) {'
fault "close-on-exec sweep: a fork does not wait for the marking" \
    platform/http/CloseOnExecSweep.cpp $HTTP "$HTTP:CloseOnExecSweep*"

# 18. The request's idle time-out: what restarts it.
IDLE_TESTS="$INTEGRATION:*IdleTimeOut*"
OLD='    transfer.idle.moved();
    transfer.replyHeaders.consume('
NEW='    transfer.replyHeaders.consume('
fault "idle time-out: not restarted by a header line" platform/http/URLSession.cpp \
    corvend_integration_test "$IDLE_TESTS"
OLD='    transfer.idle.moved();  // connected'
NEW='    // connected'
fault "idle time-out: not restarted by the connection made" platform/http/URLSession.cpp \
    corvend_integration_test "$IDLE_TESTS"
OLD='if (queued < queued_) last_ = now;'
NEW='(void)now;'
fault "idle time-out: the fall of the send queue not counted" platform/http/IdleDeadline.cpp \
    corvend_integration_test "$IDLE_TESTS"

# 19. A dead address hides no live one; a session never starts without its wake-up.
HTTP_TESTS=corvend_platform_http_test
OLD='endIdleTransfers(connecting() ? kConnectingRound : std::chrono::seconds(60));'
NEW='endIdleTransfers(std::chrono::seconds(60));'
fault "connect: the driver waits for libcurl's timers alone while connecting" \
    platform/http/URLSession.cpp $HTTP_TESTS "$HTTP_TESTS:URLSessionConnect*"
OLD='setOption(easy, CURLOPT_CONNECTTIMEOUT_MS, ms);'
NEW='setOption(easy, CURLOPT_CONNECTTIMEOUT_MS, 0L);'
fault "connect: no connect time-out to share among the addresses" \
    platform/http/URLSession.cpp $HTTP_TESTS "$HTTP_TESTS:URLSessionConnect*"
OLD='if (curl_multi_wakeup(multi) != CURLM_OK) {'
NEW='if (multi == nullptr) {'
fault "session: made without its wake-up pair" platform/http/URLSession.cpp \
    "$HTTP_TESTS corvend_integration_test" \
    "$HTTP_TESTS:*WithoutDescriptors* $INTEGRATION:*WithoutDescriptors*"
OLD='        // The first call tries again, and fails with it if it still cannot be had.'
NEW='        throw;'
fault "session manager: a session that cannot be had fails the manager's creation" \
    CorvendWallet/networking/SessionManager.cpp corvend_integration_test \
    "$INTEGRATION:*WithoutDescriptors*"
OLD='        // None can be had now (no descriptor left): the first load tries again.'
NEW='        throw;'
fault "web view: a session that cannot be had fails the view's creation" \
    platform/web/WebView.cpp $WEB "$WEB:*WithoutDescriptors*"
OLD='    if (!session_) {'
NEW='    if (false) {'
fault "web view: a view made without its session never makes one" platform/web/WebView.cpp \
    $WEB "$WEB:*WithoutDescriptors*"

# 20. Turns that end early, kept lookups, a session going while a call waits on a lookup, and
# reads sent again.
HTTP=corvend_platform_http_test
OLD='        state_->endedEarly.insert(number_);
'
NEW=''
fault "configure: a turn that ends without running is not recorded as ended" \
    CorvendWallet/facade/ConfigurationOrder.cpp $FACADE "$FACADE:ConfigurationOrder*"
OLD='kept != state_->kept.end() && kept->second.until > state_->now()) {'
NEW='kept != state_->kept.end()) {'
fault "lookup: kept lookups never expire" platform/http/HostResolver.cpp $HTTP "$HTTP:HostResolver*"
OLD='            unnamed.swap(naming);
'
NEW=''
fault "lookup: a session's shutdown leaves calls waiting on a lookup" platform/http/URLSession.cpp \
    $HTTP "$HTTP:URLSessionShutdown*"
OLD='transfer->read = method == "GET" || method == "HEAD";'
NEW='transfer->read = method == "GET";'
fault "resend: a HEAD is not a read, so it does not go again" platform/http/URLSession.cpp \
    corvend_integration_test "$INTEGRATION:*ClosedKeptConnection*"

OLD='result != CURLE_RECV_ERROR && result != CURLE_GOT_NOTHING)'
NEW='result != CURLE_RECV_ERROR)'
fault "resend: an empty reply on a kept connection is not a close before any byte" \
    platform/http/TransferEnd.cpp $HTTP "$HTTP:TransferEnd*"
OLD='return read && !sentFresh && closedBeforeReply();'
NEW='return read && closedBeforeReply();'
fault "resend: a read whose resend also died goes a third time" platform/http/TransferEnd.hpp \
    $HTTP "$HTTP:TransferEnd*"

# 21. The example host's web pages: a link to the page itself, and a page of many links.
CLI=examples/wallet-cli/wallet_cli_test
OLD='    if (snapshot != shown_ || loaded) {'
NEW='    if (snapshot != shown_ || (loaded && shown_.empty())) {'
fault "wallet-cli: a page a link loaded again is shown only when it reads differently" \
    examples/wallet-cli/ScreenDriver.cpp "wallet-cli wallet_cli_test" "$CLI:*LinkedToItself*"
OLD='    return std::hash<std::string>{}(key.second) ^ (control + 0x9e3779b97f4a7c15U + (control << 6));'
NEW='    return control * 0;'
fault "wallet-cli: choices numbered through one chain of keys" \
    examples/wallet-cli/ChoiceMenu.cpp wallet_cli_test "$CLI:ChoiceMenu*"
OLD='constexpr std::size_t kListedAtOnce = 1000;'
NEW='constexpr std::size_t kListedAtOnce = static_cast<std::size_t>(-1);'
fault "wallet-cli: a long choice list printed in one job" \
    examples/wallet-cli/ScreenDriver.cpp "wallet-cli wallet_cli_test" "$CLI:*ManyLinks*"

# The example host's text: columns as a terminal shows them, a service's line breaks, UTF-8.
CLI=examples/wallet-cli/wallet_cli_test
OLD='        columns += std::max(icuColumns(c), library.width(c));'
NEW='        columns += std::min<std::size_t>(std::max(icuColumns(c), library.width(c)), 1);'
fault "wallet-cli: a wide character counts as one column" examples/wallet-cli/TerminalText.cpp \
    wallet_cli_test "$CLI:LineFitter*:*LongWordsRefused*"
OLD='        columns += std::max(icuColumns(c), library.width(c));'
NEW='        columns += u_hasBinaryProperty(c, UCHAR_PREPENDED_CONCATENATION_MARK)
                       ? 0
                       : std::max(icuColumns(c), library.width(c));'
fault "wallet-cli: a mark written before a number counts as no column" \
    examples/wallet-cli/TerminalText.cpp wallet_cli_test "$CLI:LineFitter*"
OLD='                       TerminalText::inLine(details.message.value_or(""));'
NEW='                       details.message.value_or("");'
fault "wallet-cli: a line break in a service's message starts a line" \
    examples/wallet-cli/CommandWords.cpp "wallet-cli wallet_cli_test" "$CLI:*NothingTheServiceSends*"
OLD='        if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;'
NEW='        if (point < least || point > 0x10FFFF) return false;'
fault "wallet-cli: isUTF8 takes surrogates" examples/wallet-cli/CommandWords.cpp \
    "wallet-cli wallet_cli_test" "$CLI:*LongWordsRefused*"

# The example host's pages: shared link texts, a page's return, refused words, long pages.
OLD='                const auto before = sameText[links.text(index)]++;'
NEW='                const auto before = sameText[links.text(index)] * 0;'
fault "wallet-cli pages: links that share a text share a number" \
    examples/wallet-cli/ScreenDriver.cpp "wallet-cli wallet_cli_test" "$CLI:*ThreeDSecurePageAndFollows*"
OLD="        if (found != listed_.end() && numbers.find(',') != std::string::npos) {"
NEW='        if (false) {'
fault "wallet-cli pages: a name several choices share chooses the first" \
    examples/wallet-cli/ChoiceMenu.cpp "wallet-cli wallet_cli_test" "$CLI:*ThreeDSecurePageAndFollows*"
OLD='    if (id && id == session_) return readSession(*id);'
NEW='    if (id) return readSession(*id);'
fault "verification pages: a return naming another session is read as this one's end" \
    CorvendWallet/ui/flows/verification/CustomerVerificationViewController.cpp \
    "corvend_integration_test wallet-cli wallet_cli_test" \
    "$INTEGRATION:CustomerVerificationScreen* $CLI:*KycStartAsks*"
OLD='if (const auto named = returnedSession(*returnedTo); named != id) {'
NEW='if (const auto named = returnedSession(*returnedTo); false) {'
fault "wallet-cli pages: an instrument page's return for another session completes that session" \
    examples/wallet-cli/InstrumentCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*InstrumentVerificationShowsItsPage*"
OLD='        if (!isUTF8(value))'
NEW='        if (false)'
fault "wallet-cli pages: kyc start's words that are not UTF-8 are sent to be refused" \
    examples/wallet-cli/ScreenCommands.cpp "wallet-cli wallet_cli_test" "$CLI:*EveryOneShot*"
OLD='    if (!session)
        throw'
NEW='    if (!session) session = "";
    if (false)
        throw'
fault "wallet-cli pages: instruments complete sends a return address that names no session" \
    examples/wallet-cli/InstrumentCommands.cpp "wallet-cli wallet_cli_test" "$CLI:*EveryOneShot*"
OLD='constexpr std::size_t kPrintedAtOnce = 64 * 1024;'
NEW='constexpr std::size_t kPrintedAtOnce = std::size_t{1} << 40;'
fault "wallet-cli pages: a long page printed in one job" \
    examples/wallet-cli/ScreenDriver.cpp "wallet-cli wallet_cli_test" "$CLI:*ManyLinks*"
OLD='        if (failure)
            said +='
NEW='        if (failure && !page->lastError())
            said +='
fault "wallet-cli pages: a verification page that failed does not say why" \
    examples/wallet-cli/ScreenCommands.cpp "wallet-cli wallet_cli_test" "$CLI:*AKycStartWhoseSession*"
OLD='        if (page->page() && !failure) return "";'
NEW='        if (page->page()) return "";'
fault "wallet-cli pages: kyc start's page answered an error status reads as a result not read" \
    examples/wallet-cli/ScreenCommands.cpp "wallet-cli wallet_cli_test" "$CLI:*AKycStartWhoseSession*"
OLD='            if (const auto failure = ScreenDriver::pageFailure(*web)) {'
NEW='            if (const auto failure = web->page() ? std::nullopt : ScreenDriver::pageFailure(*web)) {'
fault "wallet-cli pages: secure-details' page answered an error status exits 0" \
    examples/wallet-cli/ScreenCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*CardDepositShowsTheThreeDSecurePage*"

# 22. A refused configure in its turn, and fork checks and page loads no test saw.
OLD='        turn.await();
        if (environment_)'
NEW='        if (environment_)'
fault "configure: a refused configure reports ahead of those issued before it" \
    CorvendWallet/facade/WalletCore.cpp corvend_integration_test \
    "$INTEGRATION:*ARefusedConfigurationEndsAfter*"
OLD='        if (environment_) parts_.userAuthenticated->setEnvironment(*environment_);
'
NEW=''
fault "configure: a refused configure keeps the customer's token" \
    CorvendWallet/facade/WalletCore.cpp corvend_integration_test \
    "$INTEGRATION:*EveryConfigureClearsIt*"
OLD='    if (platform::ProcessFork::forkedAfterKitBegan()) return;
'
NEW=''
fault "fork: an operation handle's cancel goes on in a forked child" \
    CorvendWallet/foundation/TaskOperationHandle.cpp corvend_integration_test \
    "$INTEGRATION:*BusyHost*"
OLD='    ProcessFork::checkKitUsable("MainQueue::async");
    std::lock_guard lock(state_->mutex);'
NEW='    std::lock_guard lock(state_->mutex);
    ProcessFork::checkKitUsable("MainQueue::async");'
fault "fork: MainQueue::async takes its lock in a forked child" platform/async/MainQueue.cpp \
    corvend_integration_test "$INTEGRATION:*BusyHost*"
OLD='    ProcessFork::checkKitUsable("Locale::current");
    std::lock_guard lock(currentMutex);'
NEW='    std::lock_guard lock(currentMutex);
    ProcessFork::checkKitUsable("Locale::current");'
fault "fork: Locale::current takes its lock in a forked child" platform/foundation/Locale.cpp \
    corvend_integration_test "$INTEGRATION:*BusyHost*"
OLD='    transfer_ = {};
    ++loadsEnded_;
    if (const auto delegate = navigationDelegate_.lock()) delegate->didFinish(*this);'
NEW='    transfer_ = {};
    if (const auto delegate = navigationDelegate_.lock()) delegate->didFinish(*this);'
fault "web view: a page load is not counted as ended" platform/web/WebView.cpp $WEB "$WEB:WebView*"

# The example host's flows: nothing a flow made outlives it, and how a command ends.
CLI=examples/wallet-cli/wallet_cli_test
OLD='[weakSelf = weak_from_this(), weakField = std::weak_ptr(field)] {'
NEW='[weakSelf = weak_from_this(), keep = shared_from_this(), weakField = std::weak_ptr(field)] {'
fault "wallet-cli: a menu's action holds its screen driver" \
    examples/wallet-cli/ScreenDriver.cpp wallet_cli_test "$CLI:ScreenDriver*"
OLD='words] {
            const auto self = weakSelf.lock();
            if (!self || !self->current(run)) return;'
NEW='words] {
            const auto self = weakSelf.lock();
            if (!self) return;'
fault "wallet-cli: a listing slice runs after its driver stopped" \
    examples/wallet-cli/ScreenDriver.cpp wallet_cli_test "$CLI:ScreenDriver*"
OLD='    if (!std::exchange(keyAnswers_, false)) came_ = false;'
NEW='    keyAnswers_ = false;'
fault "wallet-cli: any Ctrl-C during one command makes it exit 130" \
    examples/wallet-cli/Interruptions.cpp "wallet-cli wallet_cli_test" "$CLI:*OneCommandAtATerminal*"
OLD='    if (!flowShown_) {
        if (const auto run = run_.lock()) run->stop();'
NEW='    if (true) {
        if (const auto run = run_.lock()) run->stop();'
fault "wallet-cli: Ctrl-C while a card deposit's screen waits does not read the deposit back" \
    examples/wallet-cli/CardDepositCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*CtrlCAtEveryWait*/3"

# Uploads the kit still holds part of, the send queue's first look, and a time-out's words.
OLD='if (const bool sending = sendTotal > 0 && sent > 0; sending != self.sending_) {'
NEW='if (const bool sending = sendTotal > 0 && sent >= sendTotal; sending != self.sending_) {'
fault "idle time-out: the send queue watched only once the whole body is handed over" \
    platform/http/IdleDeadline.cpp corvend_integration_test "$INTEGRATION:*UploadIdleTimeOut*"
OLD='        self.nextLook_ = Clock::now() + self.limit_ / 10;'
NEW='        self.nextLook_ = Clock::now() + self.limit_;'
fault "idle time-out: the first look at the send queue a whole time-out late" \
    platform/http/IdleDeadline.cpp corvend_integration_test "$INTEGRATION:*UploadIdleTimeOut*"
OLD='        self.queued_ = std::numeric_limits<int>::max();'
NEW='        self.queued_ = 0;'
fault "idle time-out: a fall of the send queue before its first look not counted" \
    platform/http/IdleDeadline.cpp corvend_integration_test "$INTEGRATION:*UploadIdleTimeOut*"
OLD='    return received > last_ + limit_ / 10;'
NEW='    return received > now;'
fault "time-out words: part of a header line named as no byte moved" \
    platform/http/IdleDeadline.cpp corvend_integration_test "$INTEGRATION:IdleTimeOutTest.*"
OLD='if (result == CURLE_OPERATION_TIMEDOUT) {'
NEW='if (false) {'
fault "time-out words: the whole-transfer cap left to libcurl's words" \
    platform/http/URLSession.cpp corvend_integration_test "$INTEGRATION:IdleTimeOutTest.*"

# 22. The example host at a terminal: in the background, piped, raw bytes, many resizes, a stop.
CLI=examples/wallet-cli/wallet_cli_test
ED=examples/wallet-cli/EditLineReader.cpp
OLD='        if (run.words.empty()) editor->takeTerminal();'
NEW='        editor->takeTerminal();'
fault "wallet-cli: one command takes the terminal before it reads" examples/wallet-cli/main.cpp \
    "wallet-cli wallet_cli_test" "$CLI:*InTheBackground*"
OLD='    if (!kept_ || !inFront()) return;'
NEW='    if (!kept_) return;'
fault "wallet-cli: the modes put back from the background" examples/wallet-cli/TerminalModes.cpp \
    "wallet-cli wallet_cli_test" "$CLI:*InTheBackground*"
OLD='            kill(0, SIGTSTP);'
NEW='            kill(getpid(), SIGTSTP);'
fault "wallet-cli: Ctrl-Z as a key stops the host alone" $ED "wallet-cli wallet_cli_test" \
    "$CLI:*PipedAtATerminal*"
OLD='    if (isatty(STDOUT_FILENO) == 1) return stdout;'
NEW='    return stdout;'
fault "wallet-cli: the line editor draws on standard output" $ED "wallet-cli wallet_cli_test" \
    "$CLI:*PipedAtATerminal*"
OLD='                *character = kRawByte + static_cast<unsigned char>(self.undecoded_.front());'
NEW='                *character = L'"'"'?'"'"';'
fault "wallet-cli: a byte that is no character typed at the prompt is changed" $ED \
    "wallet-cli wallet_cli_test" "$CLI:*ArrowKeysEditAndRecall*"
OLD='    if (!woken_.exchange(true) && write(wake_[1], "w", 1) < 0) return;'
NEW='    if (write(wake_[1], "w", 1) < 0) return;'
fault "wallet-cli: each resize writes a wake-up of its own" $ED "wallet-cli wallet_cli_test" \
    "$CLI:*TheTerminalAtEveryEnd*ManyResizes*"
OLD='    if (resize_.exchange(false) || continued) el_resize(editor);'
NEW='    resize_ = false;'
fault "wallet-cli: the editor does not measure a resized window" $ED "wallet-cli wallet_cli_test" \
    "$CLI:*CtrlZSuspends*"
OLD='"-echo", "+noflsh",'
NEW='"-echo",'
fault "wallet-cli: Ctrl-Z while a command waits drops what was typed" $ED \
    "wallet-cli wallet_cli_test" "$CLI:*CtrlZSuspends*"
OLD='    TerminalModes::shared().restore();'
NEW=''
fault "wallet-cli: std::terminate leaves the editor's modes" examples/wallet-cli/TerminalModes.cpp \
    wallet_cli_test "$CLI:TerminalModes*"
OLD='        if (!ignored(signal)) sigaddset(&taken_, signal);'
NEW='        static_cast<void>(ignored(signal));
        sigaddset(&taken_, signal);'
fault "wallet-cli: a signal ignored at start is taken anyway" examples/wallet-cli/HostSignals.cpp \
    "wallet-cli wallet_cli_test" "$CLI:*TheTerminalAtEveryEnd*Ignored*"

# wallet-cli: payment runs and the words of a failure
CLI=examples/wallet-cli/wallet_cli_test
OLD='    std::string text = descriptionText(error);'
NEW='    std::string text = TerminalText::inLine(error.description());'
fault "wallet-cli: the kit's line break before an error's id is escaped" \
    examples/wallet-cli/CommandWords.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*NothingTheServiceSendsOrAPersonTypesActsOnTheTerminal"
OLD='        if (named && !sent.id.empty() && *named != sent.id) {'
NEW='        if (named && sent.id.empty() && *named != sent.id) {'
fault "wallet-cli: a step goes on with a reply that names another record" \
    examples/wallet-cli/PaymentCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='        if (result && result->status() == Wallet::PaymentStatus::failed) {'
NEW='        if (result && result->status() == Wallet::PaymentStatus::unknown) {'
fault "wallet-cli: a step goes on with a reply that calls its record FAILED" \
    examples/wallet-cli/PaymentCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
# wallet-cli: pages answered with an HTTP error, and returns for another session
CLI=examples/wallet-cli/wallet_cli_test
OLD='        if (web->page() && (web->isLoading() || web->loadsEnded() > 1)) return true;'
NEW='        if (web->page() && (web->isLoading() || web->lastError())) return true;'
fault "wallet-cli: a page's link answered with an HTTP error reads as closed or cancelled" \
    examples/wallet-cli/UnseenEnd.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*ACardDepositWhoseChoiceWasNotSeenToArrive*:*KycStartAsksThePersonHowToLeave*"
OLD='        loadUnseen_ = true;
        answer(false);'
NEW='        answer(false);'
fault "wallet-cli: a verification page answered with an HTTP error reads as not opened" \
    examples/wallet-cli/TerminalURLOpener.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*AVerificationPageClosedWhileLoading*"
OLD='                              "read: whether it completed is unknown" +'
NEW='                              "completed" +'
fault "wallet-cli: kyc start's return for another session calls the one opened not completed" \
    examples/wallet-cli/ScreenCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*KycStartAsksThePersonHowToLeave*"
# wallet-cli: what a card deposit's read back says, and what a flow's menu holds.
CLI=examples/wallet-cli/wallet_cli_test
CD=examples/wallet-cli/CardDepositCommands.cpp
OLD='        const bool mayLand = (self->endUnseen_ || self->choiceUnseen_ || self->flowCompleted_) &&'
NEW='        const bool mayLand = (self->choiceUnseen_ || self->flowCompleted_) &&'
fault "wallet-cli: a card deposit stopped by Ctrl-C says nothing was charged though its step may land" \
    $CD "wallet-cli wallet_cli_test" "$CLI:WalletCli/CtrlCAtEveryWait.*/3"
OLD='        if (deposit->statusReason())
            self->out_ << " (" << TerminalText::inLine(*deposit->statusReason()) << ")";
        if (mayLand)'
NEW='        if (deposit->statusReason()) self->out_ << " (" << *deposit->statusReason() << ")";
        if (mayLand)'
fault "wallet-cli: a card deposit read back prints its status reason raw" $CD \
    "wallet-cli wallet_cli_test" "$CLI:*NothingTheServiceSendsOrAPersonTypes*"
OLD='                self->out_ << ": " << TerminalText::inLine(*deposit->statusReason());'
NEW='                self->out_ << ": " << *deposit->statusReason();'
fault "wallet-cli: a card deposit's FAILED reason after a completed flow printed raw" $CD \
    "wallet-cli wallet_cli_test" "$CLI:*NothingTheServiceSendsOrAPersonTypes*"
OLD='                     .act = [weakSelf = weak_from_this(), weakWeb = std::weak_ptr(web),'
NEW='                     .act = [weakSelf = weak_from_this(), held = shared_from_this(),
                             weakWeb = std::weak_ptr(web),'
fault "wallet-cli: a web link's menu action holds its driver" examples/wallet-cli/ScreenDriver.cpp \
    wallet_cli_test "$CLI:ScreenDriverTest.*"
OLD='                         if (web->loadsEnded() != shownAt || !web->page() ||'
NEW='                         if (!web->page() ||'
fault "wallet-cli: a link listed from a page no longer shown is followed on the page shown" \
    examples/wallet-cli/ScreenDriver.cpp wallet_cli_test "$CLI:ScreenDriverTest.*"
OLD='        if (!self || !self->current(run)) return;
        Interruptions::shared().answered();
        if (!answer) {'
NEW='        if (!self || !self->current(run)) return;
        if (!answer) {'
fault "wallet-cli: a field typed after a Ctrl-C is no answer" examples/wallet-cli/ScreenDriver.cpp \
    wallet_cli_test "$CLI:ScreenDriverTest.*"
# 23. The kit at its start and its edges: a child forked while the kit is first made, a refused
# configure on a first thread that never drove the main queue, every time-out's words.
OLD='    noteKitBegun();
}'
NEW='}'
fault "fork: the kit's first calls not noted as its making begun" platform/async/ProcessFork.cpp \
    corvend_integration_test "$INTEGRATION:*BusyHost*"
OLD='        platform::MainQueue::shared().checkSyncCanEnd();'
NEW=''
fault "configure: a refused blocking configure waits for a turn that needs the main queue" \
    CorvendWallet/facade/WalletCore.cpp corvend_integration_test \
    "$INTEGRATION:FirstThreadConfigure*"
OLD='            if (result == CURLE_OPERATION_TIMEDOUT) {'
NEW='            if (result == CURLE_OPERATION_TIMEDOUT && transfer.connected) {'
fault "time-out words: a time-out before the connection left to libcurl's words" \
    platform/http/URLSession.cpp corvend_integration_test "$INTEGRATION:IdleTimeOutTest.*"
OLD='"no connection made within its time-out (the name'"'"'s look-up "'
NEW='"Resolving timed out "'
fault "time-out words: a look-up that outlasts the time-out says no limit" \
    platform/http/URLSession.cpp corvend_integration_test \
    "$INTEGRATION:HostBesideItsCallsExitTest.AHostLeavesAtOnceWhileItsCallsWaitOnANameLookup"
OLD='        if (!transfer.connected) {'
NEW='        if (false) {'
fault "time-out words: the cap named without the check that the connection was made" \
    platform/http/URLSession.cpp corvend_integration_test "$INTEGRATION:IdleTimeOutTest.*"
OLD='    watching_ = queued > 0 || !handedOver_;'
NEW='    watching_ = queued > 0;'
fault "idle time-out: the send queue left once empty while the kit holds part of the body" \
    platform/http/IdleDeadline.cpp corvend_platform_http_test \
    "corvend_platform_http_test:IdleDeadline*"
# 24. The example host calls a change unknown after a reply that does not say how it ended, a
# page's choice unknown whatever page followed, and runs only on the terms asked.
CLI=examples/wallet-cli/wallet_cli_test
OLD='                   code == Code::undecodableBody || code == Code::unreadableErrorDocument ||'
NEW='                   code == Code::undecodableBody ||'
fault "wallet-cli: a change answered 502 by a gateway after the service acted reads as failed" \
    examples/wallet-cli/UnseenEnd.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='        case Kind::serviceUnavailable:
            return true;'
NEW='        case Kind::serviceUnavailable:
            return false;'
fault "wallet-cli: a change answered 503 after the service acted reads as failed" \
    examples/wallet-cli/UnseenEnd.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='        if (web->page() && (web->isLoading() || web->loadsEnded() > 1)) return true;'
NEW='        if (web->page() && (web->isLoading() || (web->page()->statusCode >= 400 && web->loadsEnded() > 1))) return true;'
fault "wallet-cli: a choice on a page followed by a page of thanks reads as cancelled" \
    examples/wallet-cli/UnseenEnd.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*ACardDepositWhoseChoiceWasNotSeenToArrive*:*KycStartAsksThePersonHowToLeave*"
OLD='    loadUnseen_ = decisions_ > 1 || endUnseen(Error::make(error));'
NEW='    loadUnseen_ = endUnseen(Error::make(error));'
fault "wallet-cli: a verification page redirected somewhere that cannot load reads as not opened" \
    examples/wallet-cli/TerminalURLOpener.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*AVerificationPageClosedWhileLoading*"
OLD='                result && sent.terms ? otherTerms(*sent.terms, *result) : std::nullopt) {'
NEW='                result && sent.terms && !sent.id.empty() ? otherTerms(*sent.terms, *result) : std::nullopt) {'
fault "wallet-cli: a run goes on with a preview of other terms than those asked" \
    examples/wallet-cli/PaymentCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='    if (data == nullptr) {'
NEW='    if (true) {'
fault "wallet-cli: the kit's breaks before a service error's details show escaped" \
    examples/wallet-cli/CommandWords.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*NothingTheServiceSendsOrAPersonTypes*"
OLD='    said.insert(said.size() - 1, known.lostErrorID);'
NEW=''
fault "wallet-cli: an unseen end's error ID left out" examples/wallet-cli/CommandRun.cpp \
    wallet_cli_test "$CLI:CommandRunTest.*"
OLD='    for (const auto& change : changes()) said += "; " + change;'
NEW=''
fault "wallet-cli: the host failing after a change was sent names no record to read" \
    examples/wallet-cli/CommandRun.cpp wallet_cli_test "$CLI:CommandRunTest.*"
OLD='        if (auto words = each.left ? each.left() : ""; !words.empty())
            unseen.push_back(std::move(words));'
NEW='        (void)each;'
fault "wallet-cli: the host failing hides its command's step under way" \
    examples/wallet-cli/CommandRun.cpp wallet_cli_test "$CLI:CommandRunTest.*"
OLD='        if (named && *named != asked) throw OtherRecordNamed(noun, *named, asked);'
NEW='        if (named && named->empty()) throw OtherRecordNamed(noun, *named, asked);'
fault "wallet-cli: a read answered with another record prints that record as the one asked" \
    examples/wallet-cli/CommandWords.hpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
# 25. The example host's output that cannot be written: said, exit 1, the REPL ends there.
CLI=examples/wallet-cli/wallet_cli_test
LOST="$CLI:WalletCliTest.EveryOneShot*:WalletCliTest.RunsCommandsReadFromStandardInput*"
LOST+=":WalletCli/TheTerminalAtEveryEnd.*OutputGone*"
OLD='    if (!error_) error_ = std::error_code(errno != 0 ? errno : EIO, std::generic_category());'
NEW=''
fault "wallet-cli: lost output goes unnoted" \
    examples/wallet-cli/LineFitter.cpp "wallet-cli wallet_cli_test" "$LOST"
OLD='    if (!out_) {'
NEW='    if (false) {'
fault "wallet-cli: the REPL reads on after lost output" examples/wallet-cli/Console.cpp \
    "wallet-cli wallet_cli_test" "$LOST"
OLD='    std::signal(SIGPIPE, SIG_IGN);'
NEW=''
fault "wallet-cli: lost output to a closed pipe ends the host by SIGPIPE in the editor's modes" \
    examples/wallet-cli/main.cpp "wallet-cli wallet_cli_test" "$LOST"
OLD='             if (deposit->amount() != request.amount ||'
NEW='             if (deposit->amount() < 0 ||'
fault "wallet-cli: a card deposit asks for a card on a preview of other terms" \
    examples/wallet-cli/CardDepositCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*AFailedCardDepositPrintsAReadableReason*"

# 26. A header the screens are made of, left out of the package (the field a card is typed into):
# the example host's screen driver includes it, so the layering check fails.
OLD=' platform/ui/TextField.hpp'
NEW=''
fault "install: a header the screens need left out of the public headers" \
    cmake/CorvendPublicHeaders.cmake "" "ctest:layering"

# 27. The kit's table of codes after a change the service may have made: read the record first.
OLD='     "After a change the service may have acted: read the record before sending the change "
     "again. A read can be tried again; if it lasts, report it with the error'"'"'s ID when it shows "
     "one."},
    {unmappableInstrument,'
NEW='     "Try again later; if it lasts, report it with the error'"'"'s ID when it shows one."},
    {unmappableInstrument,'
fault "codes: an unreadable error document advises trying a change again" \
    CorvendWallet/foundation/ErrorCode.hpp corvend_foundation_test \
    "corvend_foundation_test:ErrorCodeTest.*"
# 28. A page's link addresses read as browsers read them; one still unreadable is named.
LINKS="$WEB:WebPageTest.*:WebViewTest.Follows*"
OLD='    const auto reference = URLComponents::parseAsBrowser(href, base.scheme());'
NEW='    const auto reference = URLComponents::parse(href);'
fault "web page: a link's address read strictly, not as browsers read it" \
    platform/web/LinkList.cpp $WEB "$LINKS"
OLD='    while (!text.empty() && isControlOrBlank(text.front())) text.remove_prefix(1);'
NEW=''
fault "web page: the blanks before a link's address kept" platform/url/URLComponents.cpp $WEB \
    "$LINKS"
OLD='                         [](char c) { return c != '"'\\t'"' && c != '"'\\n'"' && c != '"'\\r'"'; });'
NEW='                         [](char c) { return c != '"'\\t'"'; });'
fault "web page: newlines inside a link's address kept" platform/url/URLComponents.cpp $WEB \
    "$LINKS"
OLD='        const auto queryAt = std::min(read.find_first_of("?#"), read.size());'
NEW='        const auto queryAt = read.size();'
fault "web page: a backslash in a link's query taken as a slash" platform/url/URLComponents.cpp \
    $WEB "$LINKS"
OLD='lut_chars kPartChars = boost::urls::pchars + '"'/'"' + '"'?'"';'
NEW='lut_chars kPartChars = ~boost::urls::grammar::lut_chars('"'%'"');'
fault "web page: what a link's address cannot hold raw left unencoded" \
    platform/url/URLComponents.cpp $WEB "$LINKS"
OLD="        out.push_back('%');"
NEW='        out.append("%25");'
fault "web page: an escape in a link's address encoded again" platform/url/URLComponents.cpp \
    $WEB "$LINKS"
OLD='            text_.addAside(std::string(kNote).append(target) + ")");'
NEW='            text_.addAside("");'
fault "web page: a link that cannot be followed is not named in the text" platform/web/WebPage.cpp \
    $WEB "$LINKS"
# 29. A completion the kit drops is let go of on the main queue, never on the task's thread.
OLD='            const bool cancelled = !result && result.error().isCancellation();'
NEW='            const bool cancelled = !result && result.error().isCancellation();
            if (cancelled) return;'
fault "completions: a cancelled call's completion is let go of on the task's thread" \
    CorvendWallet/foundation/CompletionBridge.hpp $FOUNDATION "$FOUNDATION:CompletionBridge*"
# 30. The example host's unseen ends carry no advice to try again; lost output still says what
# the command changed; a service error's details are escaped.
CLI=examples/wallet-cli/wallet_cli_test
OLD='           unseenReason(error) + ")";'
NEW='           messageText(error) + ")";'
fault "wallet-cli: an unseen end passes on the error's advice to try again" \
    examples/wallet-cli/UnseenEnd.cpp "wallet-cli wallet_cli_test" \
    "$CLI:CommandRunTest.AChangeWhoseReplyWasLost*:*EveryOneShotCommandExitsByOneRule"
OLD='"unknown: its last step may have reached the service (" + unseenReason(error) + ")" +'
NEW='"unknown: its last step may have reached the service (" + messageText(error) + ")" +'
fault "wallet-cli: a card deposit's unseen step passes on the error's advice to try again" \
    examples/wallet-cli/CardDepositCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*AFailedCardDepositPrintsAReadableReason*"
OLD='        for (const auto& change : corvend::cli::CommandRun::changes()) said += "; " + change;'
NEW=''
fault "wallet-cli: lost output hides what the command changed" examples/wallet-cli/main.cpp \
    "wallet-cli wallet_cli_test" "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='    if (details.details) text += "\n  " + TerminalText::inLine(joined(*details.details, ", "));'
NEW='    if (details.details) text += "\n  " + joined(*details.details, ", ");'
fault "wallet-cli: a service error's details reach the terminal unescaped" \
    examples/wallet-cli/CommandWords.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*NothingTheServiceSendsOrAPersonTypes*"
# 31. The flow's error reads as its case; the screens take a reply only for the record they read.
DEPOSIT_ERROR=CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp
OLD='        return lhs.case_ == rhs.case_;'
NEW='        return lhs.case_ == rhs.case_ && lhs.detail_ == rhs.detail_;'
fault "flow error: an error with words is not its case" $DEPOSIT_ERROR $DEPOSIT_FLOW \
    "$DEPOSIT_FLOW:CardDepositError*"
OLD='        return std::hash<int>{}(error.value());'
NEW='        return std::hash<int>{}(error.value()) ^ (error.detail() ? 1 : 0);'
fault "flow error: an error with words is not found among the handled cases" $DEPOSIT_ERROR \
    $DEPOSIT_FLOW "$DEPOSIT_FLOW:CardDepositError*"
OLD='            auto instrument = CardDepositError::ownRecord("card", parameters.instrumentId,
                                                          [&] { return service->get(parameters); });'
NEW='            auto instrument = service->get(parameters);'
fault "saved card: a read answered for another card ends the flow without naming both" $ROOT_INTERACTOR $DEPOSIT_FLOW \
    "$DEPOSIT_FLOW:DepositRoot*"
OLD='    if (result->id != session_)'
NEW='    if (false)'
fault "verification pages: a read answered for another session is read as this one's end" \
    CorvendWallet/ui/flows/verification/CustomerVerificationViewController.cpp \
    corvend_integration_test "$INTEGRATION:CustomerVerificationScreen*"
# 32. The example host takes a reply only for its own record and terms: a change answered about
# another record is an end not seen, a read says so, a run's every step keeps the terms asked.
CLI=examples/wallet-cli/wallet_cli_test
OLD='        return endUnseen(terminal->error) || (flow && flow->detail());'
NEW='        return endUnseen(terminal->error);'
fault "wallet-cli: a card deposit's step answered about another deposit says no card was charged" \
    examples/wallet-cli/CardDepositCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*AFailedCardDepositPrintsAReadableReason*"
OLD='    if (error.isCancellation() || error.is<OtherRecordNamed>()) return true;'
NEW='    if (error.isCancellation()) return true;'
fault "wallet-cli: a change answered about another record reads as failed" \
    examples/wallet-cli/UnseenEnd.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='            call(ownRecord("instrument", arguments[2], idOf,
                           [service, which] { return service->delete_(which); }),'
NEW='            call([service, which] { return service->delete_(which); },'
fault "wallet-cli: instruments delete prints another instrument as deleted" \
    examples/wallet-cli/InstrumentCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='        call(ownRecord(
                 "card", id, &Wallet::Card::cardID,'
NEW='        call(('
fault "wallet-cli: cards update says a reply about another card without the host's words" \
    examples/wallet-cli/CardCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='        call(ownRecord("card", id, &Wallet::Card::cardID,
                       [service, id,
                        request = Wallet::CardActivationRequest{'
NEW='        call(([service, id,
                        request = Wallet::CardActivationRequest{'
fault "wallet-cli: cards activate says a reply about another card without the host's words" \
    examples/wallet-cli/CardCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='        call(ownRecord("an account in", currency, &Wallet::Account::currencyCode,'
NEW='        call(ownRecord("an account in", currency, [](const auto&) { return std::optional<std::string>(); },'
fault "wallet-cli: accounts add prints an account of another currency as added" \
    examples/wallet-cli/ProfileCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='                     call(ownRecord("verification", id, &Wallet::InstrumentVerification::id,'
NEW='                     call(('
fault "wallet-cli: instruments verify says a read of another session without the host's words" \
    examples/wallet-cli/InstrumentCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*InstrumentVerificationShowsItsPage*"
OLD='        call(ownRecord("verification", std::move(named), &Wallet::InstrumentVerification::id,'
NEW='        call(('
fault "wallet-cli: instruments complete says another session without the host's words" \
    examples/wallet-cli/InstrumentCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='        call(ownRecord("transaction", rest.front(), &Wallet::Transaction::id,'
NEW='        call(('
fault "wallet-cli: history transaction says another transaction without the host's words" \
    examples/wallet-cli/HistoryCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='        call(ownRecord("authorization", rest.front(), &Wallet::Authorization::id,'
NEW='        call(('
fault "wallet-cli: history authorization says another authorization without the host's words" \
    examples/wallet-cli/HistoryCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='                                                    {id, "confirmation", "", action, chosen}, done),'
NEW='                                                    {id, "confirmation", "", action}, done),'
fault "wallet-cli: a run takes a confirmation's reply of other terms as done" \
    examples/wallet-cli/PaymentCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='                         "create", {id, "creation", "confirmation", action, chosen}, done, confirm),'
NEW='                         "create", {id, "creation", "confirmation", action}, done, confirm),'
fault "wallet-cli: a run confirms a creation whose reply states other terms" \
    examples/wallet-cli/PaymentCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
# 33. The example host: a card deposit's money is gone only when its deposit reads COMPLETED;
# the service's words in every record line and menu escaped; a card-deposit preview in another
# currency.
CLI=examples/wallet-cli/wallet_cli_test
CD=examples/wallet-cli/CardDepositCommands.cpp
OLD='        if (self->flowCompleted_ && status == Status::completed) {'
NEW='        if (self->flowCompleted_ && status != Status::failed) {'
fault "wallet-cli: a card deposit still PROCESSING after its page returned reads completed" $CD \
    "wallet-cli wallet_cli_test" "$CLI:*ACardDepositThatDidNotComplete*"
OLD='        self->end(status == Status::completed ? Outcome::succeeded : Outcome::failed);'
NEW='        self->end(status != Status::failed ? Outcome::succeeded : Outcome::failed);'
fault "wallet-cli: a card deposit read back PROCESSING after a completed flow exits 0" $CD \
    "wallet-cli wallet_cli_test" "$CLI:*ACardDepositThatDidNotComplete*"
OLD='                 deposit->currencyCode() != request.currencyCode) {'
NEW='                 false) {'
fault "wallet-cli: a card deposit asks for a card on a preview in another currency" $CD \
    "wallet-cli wallet_cli_test" "$CLI:*AFailedCardDepositPrintsAReadableReason*"
PC=examples/wallet-cli/PaymentCommands.cpp
OLD='    out << noun << " " << TerminalText::inLine(record.id()) << ": "'
NEW='    out << noun << " " << record.id() << ": "'
fault "wallet-cli: a payment record's id printed raw" $PC "wallet-cli wallet_cli_test" \
    "$CLI:*NothingTheServiceSendsOrAPersonTypes*"
OLD='                << TerminalText::inLine(
                       recipient->email().value_or(recipient->customerID().value_or("?")));'
NEW='                << recipient->email().value_or(recipient->customerID().value_or("?"));'
fault "wallet-cli: a transfer's recipient printed raw" $PC "wallet-cli wallet_cli_test" \
    "$CLI:*NothingTheServiceSendsOrAPersonTypes*"
OLD='            out << "\n  visit " << TerminalText::inLine(*record.redirectUrl()->href());'
NEW='            out << "\n  visit " << *record.redirectUrl()->href();'
fault "wallet-cli: a redirect's visit address printed raw" $PC "wallet-cli wallet_cli_test" \
    "$CLI:*NothingTheServiceSendsOrAPersonTypes*"
OLD='        choice.name = TerminalText::inLine(choice.name);'
NEW=''
fault "wallet-cli: a menu shows a saved card's name raw" examples/wallet-cli/ChoiceMenu.cpp \
    "wallet-cli wallet_cli_test" "$CLI:*NothingTheServiceSendsOrAPersonTypes*"

# 34. Lost output after a change that named no record of its own still says what may have changed.
OLD='    if (change && failure == nullptr) lastChangeCalls().push_back(call->unknown);'
NEW=''
fault "wallet-cli: lost output after an instrument's deletion hides it" \
    examples/wallet-cli/CommandRun.cpp "wallet-cli wallet_cli_test" \
    "examples/wallet-cli/wallet_cli_test:*EveryOneShotCommandExitsByOneRule"


# wallet-cli: the records a command reads back, and the words of its amounts and ids
CLI=examples/wallet-cli/wallet_cli_test
OLD='        if (read && read->sessionStatus() != Wallet::InstrumentVerificationStatus::completed) {'
NEW='        if (read && read->sessionStatus() == Wallet::InstrumentVerificationStatus::unknown) {'
fault "wallet-cli: as read: a verification read back FAILED or ACTIVE exits 0" \
    examples/wallet-cli/InstrumentCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*InstrumentVerificationShowsItsPageAndEndsAtTheReturnAddress"
OLD='    return std::to_string(amount) + " minor units of \"" + TerminalText::inLine(currency) + "\"";'
NEW='    return std::to_string(amount) + " minor units of \"" + std::string(currency) + "\"";'
fault "wallet-cli: as read: a currency code the formatter cannot place printed raw" \
    examples/wallet-cli/CommandWords.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*NothingTheServiceSendsOrAPersonTypes*"
OLD='    return std::to_string(amount) + " minor units of \"" + TerminalText::inLine(currency) + "\"";'
NEW='    return std::to_string(amount) + " " + TerminalText::inLine(currency);'
fault "wallet-cli: as read: minor units of a currency the formatter cannot place read as the amount" \
    examples/wallet-cli/CommandWords.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*AmountsAreTypedInMajorUnitsAndPrintedAsMoney"
OLD='    : std::runtime_error(shownWhole("the reply " + namedAnother(noun, named, asked))) {}'
NEW='    : std::runtime_error(shownWhole("the reply ") + namedAnother(noun, named, asked)) {}'
fault "wallet-cli: as read: a NUL in a reply's id cuts the words that name it" \
    examples/wallet-cli/CommandWords.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
PC=examples/wallet-cli/PaymentCommands.cpp
OLD='        if (recipient) same = same && sameWord(*recipient, asked.word.value_or(""));'
NEW='        same = same && sameWord(recipient.value_or(""), asked.word.value_or(""));'
fault "wallet-cli: as read: a recipient a reply does not state is taken for another" $PC \
    "wallet-cli wallet_cli_test" "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='            (sent.run.empty() ? action : sent.run + (sent.next.empty() ? "" : " stopped"));'
NEW='            (sent.run.empty() ? action : sent.run + " stopped");'
fault "wallet-cli: as read: a run whose confirmation was sent says it stopped" $PC \
    "wallet-cli wallet_cli_test" "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='            if (!preview && sent.next.empty())'
NEW='            if (false)'
fault "wallet-cli: as read: a confirmation's reply of other terms hides where its record stands" $PC \
    "wallet-cli wallet_cli_test" "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='            if (!sent.run.empty()) {'
NEW='            if (!sent.next.empty()) {'
fault "wallet-cli: as read: a run's FAILED confirmation names no read" $PC "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"

# What the screens' ends mean: a card deposit read back however its screens ended, and a
# verification whose read's reply named another session told apart from a return for one.
DS=examples/quickstart/drive_screens.cpp
OLD='    std::cout << "card deposit with " << paying << ": " << ended << '"'"'\n'"'"';'
NEW='    std::cout << "card deposit with " << paying << ": " << ended << '"'"'\n'"'"';
    if (stopped) throw std::runtime_error(*stopped);'
fault "screens' ends: drive-screens reads no deposit back after screens that stopped short" $DS \
    "drive-screens drive_screens_test" \
    "examples/quickstart/drive_screens_test:*WhateverItsFlowSaid"
OLD='    if (read.status() != Wallet::PaymentStatus::completed)'
NEW='    if (read.status() == Wallet::PaymentStatus::failed)'
fault "screens' ends: drive-screens goes on with a deposit read PROCESSING" $DS \
    "drive-screens drive_screens_test" \
    "examples/quickstart/drive_screens_test:*WhateverItsFlowSaid"
OLD='        if (!result->id.empty()) setForeignReply(result->id);'
NEW='        if (!result->id.empty()) setForeignSession(result->id);'
fault "screens' ends: a read answered for another session is named as a return for it" \
    CorvendWallet/ui/flows/verification/CustomerVerificationViewController.cpp \
    "corvend_integration_test wallet-cli wallet_cli_test" \
    "$INTEGRATION:CustomerVerificationScreen* $CLI:*KycStartAsks*"
OLD='                "opened, but the reply to its read named session " +'
NEW='                "opened, but the reply to its read named no session " +'
fault "screens' ends: kyc start misnames a read's reply for another session" \
    examples/wallet-cli/ScreenCommands.cpp "wallet-cli wallet_cli_test" "$CLI:*KycStartAsks*"
OLD='        if (const auto other = screen ? screen->foreignReply() : std::nullopt) {'
NEW='        if (const auto other = std::optional<std::string>()) {'
fault "screens' ends: kyc start says nothing of a read's reply for another session" \
    examples/wallet-cli/ScreenCommands.cpp "wallet-cli wallet_cli_test" "$CLI:*KycStartAsks*"

# 35. Pages read through the HTML5 parser as a browser with scripting off reads them; only links
# the view can load offered; a redirect's address read as a link's.
PAGE=platform/web/WebPage.cpp
READS="$WEB:WebPageTest.ReadsTitleTextAndLinksAsShown"
OLD='            const bool followable = url && (url->scheme() == "http" || url->scheme() == "https") &&'
NEW='            const bool followable = url.has_value() &&'
fault "web page: links the view cannot load offered" $PAGE $WEB "$READS"
OLD='                                    url->absoluteString().size() <= URLSession::kMaximumURLLength;'
NEW='                                    true;'
fault "web page: links longer than the view loads offered" $PAGE $WEB \
    "$WEB:WebPageTest.AReadPageKeeps*"
OLD='        const bool reopened = source && source == std::exchange(source_, source);'
NEW='        const bool reopened = source && false;'
fault "web page: a link the parser re-opens named as one that cannot be followed in each block" \
    $PAGE $WEB "$WEB:WebPageTest.AReadStopsAtItsLimits*"
OLD='                addText(node.v.text.text);'
NEW='                addText(node.v.text.original_text.data ? std::string_view(
                    node.v.text.original_text.data, node.v.text.original_text.length)
                    : std::string_view(node.v.text.text));'
fault "web page: character references in the text shown as written" $PAGE $WEB "$READS"
OLD='        if (element.tag == GUMBO_TAG_A && gumbo_get_attribute(&element.attributes, "href")) {
            close();'
NEW='        if (element.tag == GUMBO_TAG_A && gumbo_get_attribute(&element.attributes, "href")) {
            if (node.parse_flags & GUMBO_INSERTION_IMPLICIT_END_TAG) return links_.pop_back();
            close();'
fault "web page: a link with no end tag dropped" $PAGE $WEB "$READS"
OLD='        const std::string_view written = href.value;'
NEW='        const std::string_view written(href.original_value.data, href.original_value.length);'
fault "web page: an href read as written, quotes and references kept" $PAGE $WEB "$READS"
OLD='            default:  // comments; a <template>'"'"'s content is never drawn
                return false;'
NEW='            default:  // comments; a <template>'"'"'s content is never drawn
                return node.type == GUMBO_NODE_TEMPLATE;'
fault "web page: a template's content walked into" $PAGE $WEB "$READS"
OLD='        if (!links_.empty()) return;'
NEW='        if (!links_.empty()) return nested_.pop_back();'
fault "web page: a link inside another dropped" $PAGE $WEB "$READS"
OLD='        pendingSpace_ = pendingSpace_ || blankAfter;'
NEW='        (void)blankAfter;'
fault "web page: the blank after a link's note dropped" $PAGE $WEB "$READS"
# A read is bounded and stops wherever it is: every block the parser holds is the reader's,
# counted and freed; what the reading after the parse keeps is counted too.
TREE=platform/web/GumboTree.cpp
BUDGET=platform/web/ReadBudget.cpp
LIMITS="$WEB:WebPageTest.AReadStopsAtItsLimitsAndGivesBackAllItHeld"
STOPS="$WEB:WebPageTest.AReadStops*"
OLD='        mark(Reason::cancelled);
        sigval value{};
        value.sival_ptr = signalValue_;
        pthread_sigqueue(thread, signalNumber(), value);'
NEW='        (void)thread;'
fault "web page: a read goes on after its task was cancelled" $BUDGET $WEB "$LIMITS"
OLD='    deadline_.tv_sec += static_cast<time_t>(seconds.count());'
NEW='    deadline_.tv_sec += static_cast<time_t>(seconds.count()) * 3600;'
fault "web page: a read's CPU time not limited" $BUDGET $WEB "$STOPS"
RB="$WEB:ReadBudgetTest.*"
OLD='        read->parser_.holds(interruptedAt(context))) {'
NEW='        interruptedAt(context) != 1) {'
fault "web page: a stop leaves code that is not the parser's" $BUDGET $WEB "$RB"
OLD='    timer_settime(read->again_, 0, &again, nullptr);'
NEW='    (void)again;'
fault "web page: a stop that could not leave where it landed is not tried again" $BUDGET $WEB "$RB"
OLD='        poll();'
NEW=''
fault "web page: a stop whose signal the host took is lost" $BUDGET $WEB "$RB"
OLD='                      (value & kAddressBits) == ownSlot();'
NEW='                      true;'
fault "web page: another copy's signals taken for the kit's own" $BUDGET $WEB "$RB"
OLD='    if (!read || read->sequence_ != (value >> kSequenceShift)) return;  // a read that has ended'
NEW='    if (!read) return;'
fault "web page: a signal of a read that has ended stops the next" $BUDGET $WEB "$RB"
OLD='    pthread_sigmask(SIG_SETMASK, &mask_, nullptr);'
NEW=''
fault "web page: the host's signal mask left changed after a read" $BUDGET $WEB "$RB"
OLD='    read->mark(info->si_code == SI_TIMER ? Reason::cpuTime : Reason::cancelled);'
NEW='    read->mark(Reason::cancelled);'
fault "web page: a read that met its CPU time said to be cancelled" $BUDGET $WEB "$RB $STOPS"
OLD='                                       : std::max(written.size(), url->absoluteString().size());'
NEW='                                       : written.size();'
fault "web page: a link counted at its address as written, not the one it leads to" $PAGE $WEB \
    "$LIMITS"
OLD='            6 * pageBytes + (std::size_t{64} << 10)};'
NEW='            2 * pageBytes + (std::size_t{64} << 10)};'
fault "web page: what real pages keep refused" $PAGE $WEB "$LIMITS"
OLD='                       "the system gave no timer to bound the page'"'"'s read");'
NEW='                       "there is not enough memory to read the page");'
fault "web page: a read given no timer said to have no memory" $BUDGET $WEB "$LIMITS"
OLD='        siglongjmp(read->escape_, 1);'
NEW=''
fault "web page: a stop waits for the parser's next allocation" $BUDGET $WEB "$STOPS"
OLD='    if (!budget_.take(bytes)) budget_.leave(ReadBudget::Reason::memory);'
NEW=''
fault "web page: the parser's memory not limited" $TREE $WEB "$LIMITS"
OLD='    hold(bytes);'
NEW=''
fault "web page: the parser's large blocks not counted" $TREE $WEB "$LIMITS"
OLD='        if (!region) budget_.leave(ReadBudget::Reason::noMemory);'
NEW=''
fault "web page: a region that cannot be had handed to the parser as null" $TREE $WEB "$LIMITS"
OLD='    if (kept > limits_.keptBytes) mark(Reason::kept);'
NEW=''
fault "web page: what the reading after the parse keeps not bounded" $BUDGET $WEB "$LIMITS"
OLD='        budget.fail(ReadBudget::Reason::noMemory);'
NEW='        throw;'
fault "web page: a failed allocation while the tree is read escapes as bad_alloc" $PAGE $WEB \
    "$LIMITS"
OLD='        if (!region) budget_.leave(ReadBudget::Reason::noMemory);'
NEW='        if (!region) budget_.leave(ReadBudget::Reason::memory);'
fault "web page: memory the system refused named as a limit met" $TREE $WEB "$LIMITS"
OLD='        previous->sa_handler(signal);'
NEW=''
fault "web page: the host's own signal of the reader's number swallowed" $BUDGET $WEB \
    "$WEB:WebPageTest.TheReadersSignal*"
OLD='        munmap(regions_, regions_->bytes);'
NEW=''
fault "web page: a read's regions kept after it" $TREE $WEB "$LIMITS"
OLD='    if (element.tag_namespace != GUMBO_NAMESPACE_HTML) return isUndrawnForeign(element);'
NEW='    if (element.tag_namespace != GUMBO_NAMESPACE_HTML) return isUndrawnForeign(element) && false;'
fault "web page: what SVG and MathML never draw shown" $PAGE $WEB "$READS"
OLD='        LinkList links(baseOf(url, head.base));'
NEW='        LinkList links(baseOf(url, std::nullopt));'
fault "web page: links resolved against the page's address, not its <base href>" $PAGE $WEB \
    "$READS"
OLD='            if (titleFound || !isHTML(node, GUMBO_TAG_TITLE)) return true;'
NEW='            if (!isHTML(node, GUMBO_TAG_TITLE)) return true;'
fault "web page: a later <title> kept over the first" $PAGE $WEB "$READS"
OLD='        if (html && (element.tag == GUMBO_TAG_TD || element.tag == GUMBO_TAG_TH)) separate();'
NEW=''
fault "web page: table cells run together" $PAGE $WEB "$READS"
OLD='    if (std::exchange(loadingSessionPage_, false) && page && page->statusCode >= 400) {'
NEW='    if (std::exchange(loadingSessionPage_, false) && page && page->statusCode >= 600) {'
fault "verification screen: a first page answered with an error status reports nothing" \
    CorvendWallet/ui/flows/verification/CustomerVerificationViewController.cpp \
    corvend_integration_test "$INTEGRATION:*CustomerVerification*EveryFailedStep*"
OLD='    if (stopped) throw std::runtime_error("card deposit with " + paying + ": " + *stopped);'
NEW=''
fault "drive-screens: screens that never ended pass when the deposit completed" \
    examples/quickstart/drive_screens.cpp "drive-screens drive_screens_test" \
    "examples/quickstart/drive_screens_test:*PageNeverReturns*"
OLD='        const std::optional<URL> target = LinkList::resolve(*location, previous.url());'
NEW='        const std::optional<URL> target = URL::make(*location);'
fault "web view: a redirect's address read strictly, not as browsers read it" \
    platform/web/WebView.cpp $WEB "$WEB:WebViewTest.FollowsEachRedirectHopAfterAskingOnceAndShowsThePage"

# 35. The example host: once output cannot be written no flow asks or sends anything more, and
# standard error names every step sent, seen or not; a page's text carries a mark of its own.
CR=examples/wallet-cli/CommandRun.cpp
OLD='    if (output_ == nullptr || output_->flush()) return true;'
NEW='    if (true) return true;'
fault "wallet-cli: a flow asks and sends on after its output was lost" $CR \
    "wallet-cli wallet_cli_test" "$CLI:*EveryOneShotCommandExitsByOneRule:CommandRunTest.*"
OLD='    lastUnseen().insert(lastUnseen().end(), known_.unknown.begin(), known_.unknown.end());
'
NEW=''
fault "wallet-cli: lost output leaves out the steps whose end was not seen" $CR \
    "wallet-cli wallet_cli_test" "$CLI:*EveryOneShotCommandExitsByOneRule:CommandRunTest.*"
OLD='             CommandRun::changed("card deposit " + id, "previewed", "deposit get " + id);'
NEW=''
fault "wallet-cli: lost output names a card deposit it made as one that may have been made" \
    examples/wallet-cli/CardDepositCommands.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='                if (std::cout) std::cerr << "demo stopped at the failure above" << std::endl;'
NEW='                std::cerr << "demo stopped at the failure above" << std::endl;'
fault "wallet-cli: a demo whose output was lost points at a failure nobody saw" \
    examples/wallet-cli/main.cpp "wallet-cli wallet_cli_test" "$CLI:*EveryOneShotCommandExitsByOneRule"
OLD='                lines.push_back(std::string(LineFitter::kPageMark) +'
NEW='                lines.push_back(std::string() +'
fault "wallet-cli pages: a page's text printed as the host's own lines" \
    examples/wallet-cli/ScreenDriver.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*CardDepositShowsTheThreeDSecurePage*"
LF=examples/wallet-cli/LineFitter.cpp
OLD='    if (marked_) indent.replace(0, kPageMark.size(), kPageMark);'
NEW=''
fault "wallet-cli pages: a page's line cut to fit goes on without its mark" $LF \
    "wallet_cli_test" "$CLI:LineFitterTest.*:*CardDepositShowsTheThreeDSecurePage*"
OLD="        if (!marked_ && text.front() == '|' && shown_.size() == kPageMark.find('|')) {"
NEW='        if (false) {'
fault "wallet-cli pages: a host line cut to fit goes on with the page mark" $LF \
    "wallet_cli_test" "$CLI:LineFitterTest.*"
OLD='    if (descriptor_ >= 0 && poll(&gone, 1, 0) == 1 && (gone.revents & POLLERR) != 0) {'
NEW='    if (descriptor_ < -1 && poll(&gone, 1, 0) == 1 && (gone.revents & POLLERR) != 0) {'
fault "wallet-cli: output whose pipe's reader left is found only at a write" $LF \
    "wallet-cli wallet_cli_test" "$CLI:*AnAnswerTypedOnceTheOutputIsGone*"
OLD='             if (CommandRun::mayStart()) deliver(std::move(line));'
NEW='             deliver(std::move(line));'
fault "wallet-cli: an answer typed once the output was gone is acted on" \
    examples/wallet-cli/SessionLines.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*AnAnswerTypedOnceTheOutputIsGone*"

# 36. The kit's reads of one record take only that record's reply.
ASKED=CorvendWallet/foundation/AskedRecord.cpp
PATHS="$INTEGRATION:ServicePathsTest.ACallOnOneRecordRefusesAReplyNamingAnother"
OLD='    if (!named.empty() && named != asked) {'
NEW='    if (!named.empty() && asked.empty()) {'
fault "record reads: a reply naming another record taken as the one asked" $ASKED \
    corvend_integration_test "$PATHS"
OLD='    if (!named.empty() && named != asked) {'
NEW='    if (named != asked) {'
fault "record reads: a reply naming no record refused" $ASKED corvend_integration_test "$PATHS"
OLD='        if (named) requireAskedRecord(asked, *named);'
NEW='        if (!named) requireAskedRecord(asked, "");'
fault "record reads: an instrument or a quote naming another taken" \
    CorvendWallet/foundation/AskedRecord.hpp corvend_integration_test "$PATHS"
OLD='    return askedRecord(cardID, card(network().request(wire::activate(cardID, std::move(body)))),
                       &model::Card::cardID);'
NEW='    return card(network().request(wire::activate(cardID, std::move(body))));'
fault "record reads: a card activation's reply taken whatever card it names" \
    CorvendWallet/services/cards/CardRepository.cpp corvend_integration_test "$PATHS"
OLD='    return askedRecord(parameters.instrumentId, std::move(instrument),
                       &model::PaymentInstrument::id);'
NEW='    return instrument;'
fault "record reads: an instrument read or deleted taken whatever it names" \
    CorvendWallet/services/cards/PaymentInstrumentRepository.cpp corvend_integration_test "$PATHS"

# 37. The example host marks every page word on every line it takes; a currency it does not know in minor units.
CLI=examples/wallet-cli/wallet_cli_test
PAGES="$CLI:*CardDepositShowsTheThreeDSecurePage*"
OLD='        if (choice.fromPage) LineFitter::pageWordsFollow(out);'
NEW=''
fault "wallet-cli marks: a page link's words that wrap in the menu go on without the mark" \
    examples/wallet-cli/ChoiceMenu.cpp "wallet_cli_test" "$CLI:ChoiceMenuTest.*"
OLD='    if (auto* fitter = dynamic_cast<LineFitter*>(stream.rdbuf())) fitter->marked_ = true;'
NEW='    (void)stream;'
fault "wallet-cli marks: page words after the host's on a line go on without the mark" \
    examples/wallet-cli/LineFitter.cpp "wallet_cli_test" "$CLI:LineFitterTest.*"
OLD='                     .fromPage = true,'
NEW=''
fault "wallet-cli marks: a page's links listed as the host's own choices" \
    examples/wallet-cli/ScreenDriver.cpp "wallet-cli wallet_cli_test" "$PAGES"
OLD='        lines.push_back(pageLineText(tree.front()));'
NEW='        lines.push_back(tree.front());'
fault "wallet-cli marks: a failed page's address in the screen cut at its blanks" \
    examples/wallet-cli/ScreenDriver.cpp "wallet-cli wallet_cli_test" "$PAGES"
OLD='    if (at == std::string_view::npos) return TerminalText::inLine(text);'
NEW='    if (true) return TerminalText::inLine(text);'
fault "wallet-cli marks: an unusable redirect's address starts lines of its own" \
    examples/wallet-cli/CommandWords.cpp "wallet-cli wallet_cli_test" "$PAGES"
OLD='    return withEscaped(text, "\n ");'
NEW='    return withEscaped(text, "\n");'
fault "wallet-cli marks: an address's blanks left to cut it" \
    examples/wallet-cli/TerminalText.cpp "wallet-cli wallet_cli_test" "$PAGES"
OLD='            self->out_ << ScreenDriver::render(screen) << std::endl;'
NEW='            self->out_ << screen->snapshot() << std::endl;'
fault "wallet-cli marks: secure-details prints its page with no mark" \
    examples/wallet-cli/ScreenCommands.cpp "wallet-cli wallet_cli_test" "$PAGES"
OLD='    out_ << "the page could not be loaded: " << pageLineText(error.description()) << std::endl;'
NEW='    out_ << "the page could not be loaded: " << error.description() << std::endl;'
fault "wallet-cli marks: a page opened in the terminal says its failure's address cut at blanks" \
    examples/wallet-cli/TerminalURLOpener.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*AVerificationPageThatFailsToLoadEndsWithItsError"
OLD='        knownCurrency(currency) ? Wallet::MoneyFormatter().format(amount, currency) : "";'
NEW='        Wallet::MoneyFormatter().format(amount, currency);'
fault "wallet-cli amounts: a currency the host refuses on input placed at two decimals" \
    examples/wallet-cli/CommandWords.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*AmountsAreTypedInMajorUnitsAndPrintedAsMoney"

# 38. Copies of the kit in one process: no copy's signal reaches the default action; a stop
# that lands in a host's handler is tried again off the host's timer's tick.
COPIES="$WEB:ReadBudgetTest.CopiesTakingTheSignalAtOnceNeverEndTheProcess"
HANDLERS="$WEB:ReadBudgetTest.AHostsHandlerThatAStopInterruptsReturns"
OLD='            sigaction(signal, &kits, &replaced);'
NEW='            replaced = current;
            sigaction(signal, &kits, nullptr);'
fault "copies: the signal taken in two calls, what was read kept as what was replaced" $BUDGET \
    $WEB "$COPIES"
OLD='        if (info->si_code == SI_TIMER || (info->si_code == SI_QUEUE && info->si_pid == getpid())) {'
NEW='        if (false) {'
fault "copies: another copy's signal passed on to the default action" $BUDGET $WEB "$COPIES"
OLD='    if (timed && timer_create(CLOCK_MONOTONIC, &event, &again_) != 0) {'
NEW='    if (timed && timer_create(CLOCK_THREAD_CPUTIME_ID, &event, &again_) != 0) {'
fault "copies: a stop in a host's handler tried again on the CPU clock's tick" $BUDGET $WEB \
    "$HANDLERS"
OLD="constexpr long kAgainNanoseconds = 1'000'000;"
NEW="constexpr long kAgainNanoseconds = 998'000'000;"
fault "copies: a stop in a host's handler tried again only a second later" $BUDGET $WEB \
    "$HANDLERS"
OLD='    nextPoll_.tv_nsec += kPollNanoseconds;'
NEW='    nextPoll_.tv_sec += 10;'
fault "copies: the CPU clock read too rarely to meet the limit beneath the signal" $BUDGET $WEB \
    "$COPIES $WEB:WebPageTest.TheReadersSignalGoesOnToTheHostsHandler"

# 39. A page is read in its own encoding.
ENCODING=platform/web/PageEncoding.cpp
ENCODED="$WEB:PageEncodingTest.*:WebPageTest.ReadsAPageInTheEncodingItDeclares"
LEGACY_CLI="examples/wallet-cli/wallet_cli_test:*LegacyEncoding*"
OLD='    if (contentType) {
        if (const auto label = charsetOf(*contentType)) {'
NEW='    if (contentType && false) {
        if (const auto label = charsetOf(*contentType)) {'
fault "encoding: the reply's charset ignored" $ENCODING "$WEB wallet-cli wallet_cli_test" \
    "$ENCODED $LEGACY_CLI"
OLD='    if (auto named = prescan(bytes.substr(0, 1024))) return *named;'
NEW='    if (auto named = prescan(bytes.substr(0, 0))) return *named;'
fault "encoding: the <meta> prescan ignored" $ENCODING "$WEB wallet-cli wallet_cli_test" \
    "$ENCODED $LEGACY_CLI"
OLD='    if (auto named = prescan(bytes.substr(0, 1024))) return *named;'
NEW='    if (auto named = prescan(bytes.substr(0, 2048))) return *named;'
fault "encoding: a <meta> past the first 1,024 bytes read" $ENCODING $WEB "$ENCODED"
OLD='                if (charset->name().starts_with("UTF-16")) return PageEncoding::labelled("utf-8");'
NEW=''
fault "encoding: a <meta> naming UTF-16 taken at its word" $ENCODING $WEB "$ENCODED"
OLD='    if (bytes.starts_with("\xEF\xBB\xBF")) return {kUTF8.name, kUTF8.converter, 3};
    if (bytes.starts_with("\xFE\xFF")) return {kUTF16BE.name, kUTF16BE.converter, 2};
    if (bytes.starts_with("\xFF\xFE")) return {kUTF16LE.name, kUTF16LE.converter, 2};
    if (contentType) {
        if (const auto label = charsetOf(*contentType)) {
            if (auto named = labelled(*label)) return *named;
        }
    }'
NEW='    if (contentType) {
        if (const auto label = charsetOf(*contentType)) {
            if (auto named = labelled(*label)) return *named;
        }
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) return {kUTF8.name, kUTF8.converter, 3};
    if (bytes.starts_with("\xFE\xFF")) return {kUTF16BE.name, kUTF16BE.converter, 2};
    if (bytes.starts_with("\xFF\xFE")) return {kUTF16LE.name, kUTF16LE.converter, 2};'
fault "encoding: a byte-order mark looked for after the reply's charset" $ENCODING $WEB "$ENCODED"
OLD='        if (!budget.take(wanted - capacity)) budget.fail(ReadBudget::Reason::memory);'
NEW=''
fault "encoding: the decoded text not counted against the read" $ENCODING $WEB "$ENCODED"
OLD='        budget.check();
    }
    // What is left unused goes back; shrinking a block moves nothing.'
NEW='    }
    // What is left unused goes back; shrinking a block moves nothing.'
fault "encoding: decoding not stopped by a cancel" $ENCODING $WEB "$ENCODED"
OLD='pivot + 1024, reset, last,'
NEW='pivot + 1024, reset, true,'
fault "encoding: a character cut between two chunks decoded as two" $ENCODING $WEB "$ENCODED"
OLD='                                          http->value("content-type"));'
NEW='                                          std::nullopt);'
fault "encoding: the web view reads a page without its reply's Content-Type" \
    platform/web/WebView.cpp "$WEB wallet-cli wallet_cli_test" \
    "$WEB:WebViewTest.ShowsAPageInTheEncodingItsReplyNames $LEGACY_CLI"

# 40. A read counts what it keeps, once.
OLD='        if (const auto known = page_.links.findTarget(written)) {'
NEW='        if (const auto known = reopened ? page_.links.findTarget(written) : std::nullopt) {'
fault "web page: a target kept per link opened, not per distinct address" $PAGE $WEB \
    "$WEB:WebPageTest.AReadPageKeeps*"
OLD='                                       : std::max(written.size(), url->absoluteString().size());'
NEW='                                       : url->absoluteString().size();'
fault "web page: a target counted at the address it leads to, not at what it says" $PAGE $WEB \
    "$LIMITS"
OLD='                    leadsHere(written) ? written.size()'
NEW='                    false ? written.size()'
fault "web page: a same-page link counted at the page's whole address" $PAGE $WEB "$LIMITS"
OLD='        budget.keep(links.base().absoluteString().size());'
NEW=''
fault "web page: the base address not counted" $PAGE $WEB "$LIMITS"
OLD='        budget.check();
        const bool entered'
NEW='        (void)budget;
        const bool entered'
fault "web page: the walk after the parse not stopped" $PAGE $WEB "$LIMITS"
OLD='constexpr std::size_t kGrowth = 3;'
NEW='constexpr std::size_t kGrowth = 1;'
fault "web page: what a read keeps counted once against memory, not for its copies" $BUDGET $WEB \
    "$LIMITS"

# 41. The example host shows a page's words as written, in linear time, marked at the
# terminal's width.
CLI=examples/wallet-cli/wallet_cli_test
OLD='                    lines.push_back(std::string(LineFitter::kPageMark) +
                                    std::string(std::string_view(piece)));'
NEW='                    lines.push_back([&] {
                        std::string named(LineFitter::kPageMark);
                        for (std::string_view rest(piece); !rest.empty();) {
                            const bool name = rest.starts_with("[xmark]");
                            named += name ? std::string_view("[x] close") : rest.substr(0, 1);
                            rest.remove_prefix(name ? 7 : 1);
                        }
                        return named;
                    }());'
fault "wallet-cli page words: the host's symbol names given words in a page's text" \
    examples/wallet-cli/ScreenDriver.cpp "wallet-cli wallet_cli_test" \
    "$CLI:ScreenDriverTest.RendersAPagesWordsAsWrittenAndNamesOnlyAControlsSymbol"
OLD='    for (const auto& line : lines) {
        text += line;'
NEW='    for (auto line : lines) {
        for (auto at = line.find("[xmark]"); at != std::string::npos;
             at = line.find("[xmark]", at + 1)) {
            line.erase(at, 7);
            line.insert(at, "[xmark]");
        }
        text += line;'
fault "wallet-cli page words: each symbol name of a rendered line put back in place, quadratic" \
    examples/wallet-cli/ScreenDriver.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*APageOfTheHostsOwnNamesIsShownAsWrittenInTimeLinearInItsSize"
OLD='        std::cout, [] { return LineFitter::terminalWidth(STDOUT_FILENO); }, STDOUT_FILENO);'
NEW='        std::cout, [] { return std::size_t{80}; }, STDOUT_FILENO);'
fault "wallet-cli page words: rows fitted to 80 columns whatever the terminal's width" \
    examples/wallet-cli/main.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*AtATerminalEveryRowOfAPageIsMarkedAtTheTerminalsWidth"
OLD='        columns += std::max(icuColumns(c), library.width(c));'
NEW='        columns += icuColumns(c);'
fault "wallet-cli page words: a character counted by ICU alone, never the C library's wcwidth" \
    examples/wallet-cli/TerminalText.cpp "wallet-cli wallet_cli_test" \
    "$CLI:LineFitterTest.*:*AtATerminalEveryRowOfAPageIsMarkedAtTheTerminalsWidth"
OLD='    while (!mark && column_ + restColumns > width_) {'
NEW='    while (column_ + restColumns > width_) {'
fault "wallet-cli page words: the mark itself cut to a terminal narrower than it" \
    examples/wallet-cli/LineFitter.cpp "wallet-cli wallet_cli_test" "$CLI:LineFitterTest.*"
OLD='    screen.leaveOutPageWordsWhile([] { return corvend::cli::Interruptions::shared().pending(); });'
NEW=''
fault "wallet-cli page words: Ctrl-C not polled while a page is printed in one go" \
    examples/wallet-cli/main.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*AtATerminalCtrlCIsServedWhileAPageOfManyLinksIsListed"
OLD='        if (leavingOut()) {
            rest = {};'
NEW='        if (false) {
            rest = {};'
fault "wallet-cli page words: Ctrl-C not polled while a page's long word is fitted" \
    examples/wallet-cli/LineFitter.cpp "wallet-cli wallet_cli_test" \
    "$CLI:*AtATerminalCtrlCIsServedWhileAPageOfManyLinksIsListed"
OLD='    unseen.insert(unseen.end(), run->known_.unknown.begin(), run->known_.unknown.end());'
NEW=''
fault "wallet-cli page words: the host's failure leaves out a change already known unseen" \
    examples/wallet-cli/CommandRun.cpp "wallet-cli wallet_cli_test" \
    "$CLI:CommandRunTest.OutputLostOrAFailureOfTheHostSaysEveryStep"

plant_all
