#include "contracts/Offer.h"

#include "league/ByteOrder.h"
#include "league/League.h"
#include "league/MoneyText.h"

#include <algorithm>
#include <limits>

Offer Offer::Decode(const std::uint8_t* bytes, std::size_t size) {
    tolvik::ByteReader in(bytes, std::min<std::size_t>(size, kRecordSize));
    Offer o;
    in.readS16le(o.playerID);
    in.readS8(o.team);
    in.readS8(o.offerType);
    in.readS8(o.years);
    in.Skip(sizeof o.padding5);
    in.readU32le(o.salary);
    in.readU32le(o.bonus);
    in.readS16le(o.acceptPct);
    in.readU8(o.flag);
    return o;
}

void Offer::Encode(std::uint8_t* b) const {
    std::fill(b, b + kRecordSize, std::uint8_t{0});
    tolvik::writeS16le(b, playerID);
    b[2] = static_cast<std::uint8_t>(team);
    b[3] = static_cast<std::uint8_t>(offerType);
    b[4] = static_cast<std::uint8_t>(years);
    tolvik::writeU32le(b + 8, salary);
    tolvik::writeU32le(b + 12, bonus);
    tolvik::writeS16le(b + 16, acceptPct);
    b[18] = flag;
}

bool Offer::CountsInFigures() const {
    return offerType != TenderOffer && offerType != FranchiseDesignation &&
           offerType != TransitionDesignation;
}

Offer MakeOffer(std::int16_t id, int type, int years, std::uint32_t salary, std::uint32_t bonus, int team) {
    Offer o;
    o.playerID = id;
    o.team = static_cast<std::int8_t>(team);
    o.offerType = static_cast<std::int8_t>(type);
    o.years = static_cast<std::int8_t>(years);
    o.salary = salary;
    o.bonus = bonus;
    return o;
}

std::int16_t SaturateToPercentField(std::int64_t chance) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(
        chance, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

std::string OfferSentence(const Offer& offer, const League& league) {
    const bool known = offer.playerID >= 100 && offer.playerID < league.GetNextPlayerID();
    return OfferSentence(offer, league, known ? league.FindTeam(offer.playerID) : -1);
}

std::string OfferSentence(const Offer& offer, const League& league, int holder) {
    const bool known = offer.playerID >= 100 && offer.playerID < league.GetNextPlayerID();
    if (!known)
        holder = -1;
    const Player player = known ? league.players.GetPlayer(offer.playerID) : Player();
    const std::string p = (known ? player.GetStringPos() : std::string()) + " " +
                          (known ? player.GetFirstName() : std::string()) + " " +
                          (known ? player.GetLastName() : std::string());
    const std::string c = holder == -1 ? std::string("Free Agent") : league.GetTeamName(holder);
    const std::string y = std::to_string(static_cast<int>(offer.years));
    const std::string salary = FormatMoney(offer.salary);
    const std::string bonus = FormatMoney(offer.bonus);
    const std::string deal = " a " + y + " year deal for " + salary + " with a " + bonus + " signing bonus";

    std::string text = league.GetTeamName(offer.team);
    switch (offer.offerType) {
    case Offer::SignFreeAgent:
        text += " offers " + c + " " + p + deal;
        break;
    case Offer::OwnRestrictedOffer:
        text += "'s XFA/RFA " + p + " is offered" + deal;
        break;
    case Offer::TenderOffer:
        text += " makes tender offer to " + p + " for " + salary;
        break;
    case Offer::RestructureOffer:
        text += " offers " + p + " a retructure for " + y + " deal for " + salary + " with a " + bonus +
                " signing bonus";
        break;
    case Offer::FranchiseDesignation:
        text += " makes " + p + " their Franchise Player";
        break;
    case Offer::TransitionDesignation:
        text += " makes " + p + " a Tranistion Player";
        break;
    case Offer::MatchOfferSheet:
        text += " matches " + p + "'s offersheet with a " + y + " year deal for " + salary + " with a " +
                bonus + " signing bonus";
        break;
    case Offer::OwnTenderedOffer:
        text += " offers " + p + deal;
        break;
    case Offer::GiveOfferSheet:
        text += " gives " + c + " " + p + " an offersheet for " + y + " year deal for " + salary +
                " with a " + bonus + " signing bonus";
        break;
    case Offer::InvalidOffer:
        text += " INVALID OFFER";
        break;
    default:
        break; // type 9 and unknown types from a file: the club's name alone
    }
    return text;
}
