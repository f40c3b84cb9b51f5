// Mechanisms drawn from random groups for the planner's tests, each group keeping the count of
// freedoms equal to the count of drives, so that planning gets past the mobility count. Besides
// cranks, dyads and coupler points the groups draw blocks: on bars, on cylinders pushed by a
// sliding drive (with block points in line with the cylinder's pivot), on fixed guides pushed
// along them, and a second block at a pin or block point, in a turning slotted arm; plates held
// by two frame joints; and links turned by a drive against the moving link they hang on. The
// joints join the model in a shuffled order, which decides the passes, and so do the blocks,
// which decides which block comes first at a joint.
#pragma once

#include <random>
#include <vector>

struct TModelRig;

class TRandomMechanism {
public:
    TRandomMechanism(TModelRig& Rig, unsigned Seed) : FRig(Rig), FRandom(Seed) {}

    void Draw(int Groups);

private:
    struct TPoint {
        double X, Y;
        bool Frame;
    };
    struct TBlock {
        int Link, Pin;
        std::vector<int> Couplers;
        bool Driven;
    };
    // A rotary drive at a joint between two links that both move.
    struct TLinkDrive {
        int Joint, Holding, Driven;
    };

    int Pick(int N) { return std::uniform_int_distribution<int>(0, N - 1)(FRandom); }
    double Uniform(double From, double To) {
        return std::uniform_real_distribution<double>(From, To)(FRandom);
    }
    int NewPoint(bool Frame);
    int PointAt(double X, double Y);
    // A point drawn before the group being added.
    int AnyPoint() { return Pick(FEarlier); }
    int AnyLink() { return Pick(static_cast<int>(FLinks.size())); }
    int AddLink(std::vector<int> Joints);
    // A point on the line from point From through point Through, T times their distance on.
    int PointOnLine(int From, int Through, double T);
    // A point on the line of the link's first two joints, where a block's pin stands; near one of
    // the two when NearAnEnd.
    int PointOnLink(int Link, bool NearAnEnd);

    void AddCrank();
    void AddDyad();
    void AddDyadFrom(int P);
    void AddCouplerPoint() { FLinks[AnyLink()].push_back(NewPoint(false)); }
    void AddSliderDyad();
    void AddCylinder();
    void AddFixedSlot();
    void AddSecondBlock();
    void AddSlottedArm(int Pin);
    void AddSecondFrame();
    void AddDrivenLink();
    void AddCouplerPointTo(TBlock& Block) { Block.Couplers.push_back(NewPoint(false)); }

    void Realise();

    TModelRig& FRig;
    std::mt19937 FRandom;
    std::vector<TPoint> FPoints;
    std::vector<std::vector<int>> FLinks;
    std::vector<TBlock> FBlocks;
    std::vector<int> FCranks;
    std::vector<TLinkDrive> FLinkDrives;
    int FEarlier = 0;
};
